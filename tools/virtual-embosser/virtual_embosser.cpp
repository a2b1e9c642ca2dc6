// virtual-embosser: adds printer queues to the running Wine prefix whose
// port is a file on the Unix side, so that tests can read back the raw bytes
// a job sends.
//
//   virtual-embosser FOLDER                  the standard set of queues
//   virtual-embosser FOLDER QUEUE=DRIVER...  only these queues
//   virtual-embosser --remove QUEUE...       deletes queues
//
// FOLDER is where the port files go: a Unix folder (or a Windows path, which
// is mapped to its Unix folder). Each queue prints into FOLDER/QUEUE.prn, with
// blanks in the queue name turned into '_'. A QUEUE written with a leading '!'
// is set to work offline. The standard set is two embosser queues
// ("Ridgeline", "Tarn V4"), one queue with an ordinary printer driver
// ("Office Laser") and one embosser queue set offline ("Ridgeline Offline").
// Every queue added is printed as "QUEUE<TAB>DRIVER<TAB>PORT", one a line.
// Exit code 0 when every queue was added, 1 otherwise.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "virtual_queues.h"

static int Remove(int argc, char** argv) {
    int failed = 0;
    for (int i = 2; i < argc; ++i) {
        if (!RemoveVirtualQueue(argv[i])) {
            fprintf(stderr, "virtual-embosser: cannot remove \"%s\"\n", argv[i]);
            failed = 1;
        }
    }
    return failed;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: virtual-embosser FOLDER [QUEUE=DRIVER...] | --remove QUEUE...\n");
        return 2;
    }
    if (strcmp(argv[1], "--remove") == 0)
        return Remove(argc, argv);

    char folder[kPortPathSize];
    if (!ToUnixFolder(argv[1], folder, sizeof folder)) {
        fprintf(stderr, "virtual-embosser: cannot map \"%s\" to a Unix folder\n", argv[1]);
        return 2;
    }

    std::vector<std::string> names, drivers;
    std::vector<VirtualQueue> queues;
    for (int i = 2; i < argc; ++i) {
        const char* eq = strchr(argv[i], '=');
        if (!eq || eq == argv[i] || !eq[1]) {
            fprintf(stderr, "virtual-embosser: \"%s\" is not QUEUE=DRIVER\n", argv[i]);
            return 2;
        }
        int offline = argv[i][0] == '!';
        names.emplace_back(static_cast<const char*>(argv[i]) + offline, eq);
        drivers.emplace_back(eq + 1);
        queues.push_back({nullptr, nullptr, offline});
    }
    for (size_t i = 0; i < queues.size(); ++i) {
        queues[i].szQueue = names[i].c_str();
        queues[i].szDriver = drivers[i].c_str();
    }
    if (queues.empty())
        queues.assign(kStandardQueues, kStandardQueues + kStandardQueueCount);

    int failed = 0;
    for (const VirtualQueue& q : queues) {
        char port[kPortPathSize];
        if (AddVirtualQueue(q, folder, port, sizeof port)) {
            printf("%s\t%s\t%s\n", q.szQueue, q.szDriver, port);
        } else {
            fprintf(stderr, "virtual-embosser: cannot add \"%s\" (driver \"%s\")\n", q.szQueue,
                    q.szDriver);
            failed = 1;
        }
    }
    return failed;
}

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "embosser_printers.h"
#include "embosser_queue.h"

namespace {

std::set<std::string> ListedEmbossers() {
    std::set<std::string> names;
    char* list = EnumEmbossers();
    for (const char* p = list; p && *p; p += strlen(p) + 1)
        names.insert(p);
    FreeEmbosserList(list);
    return names;
}

TEST(EmbosserList, OnlyQueuesWithAnEmbosserDriver) {
    ASSERT_TRUE(AddStandardTempQueues());
    const VirtualQueue extra[] = {
        {"Lower Case Tarn", "vantor tarn v4", 0},
        {"Longer Ridgeline", "Ridgeline V3 Plus", 0},
    };
    for (const VirtualQueue& q : extra)
        ASSERT_TRUE(AddTempQueue(q)) << q.szQueue;

    std::set<std::string> names = ListedEmbossers();
    struct Case {
        const char* queue;
        bool listed;
    } cases[] = {
        {"Ridgeline", true},         {"Tarn V4", true},
        {"Ridgeline Offline", true}, // offline queues are refused only when printing
        {"Lower Case Tarn", true},   {"Office Laser", false},
        {"Longer Ridgeline", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(names.count(c.queue) == 1, c.listed) << c.queue;

    for (const VirtualQueue& q : extra)
        RemoveVirtualQueue(q.szQueue);
}

TEST(EmbosserList, NullWithoutEmbosserQueues) {
    for (size_t i = 0; i < kStandardQueueCount; ++i)
        ASSERT_TRUE(RemoveVirtualQueue(kStandardQueues[i].szQueue));
    char* list = EnumEmbossers();
    std::set<std::string> names;
    for (const char* p = list; p && *p; p += strlen(p) + 1)
        names.insert(p);
    // An empty list is no list at all.
    EXPECT_EQ(list == nullptr, names.empty());
    FreeEmbosserList(list);
    // Queues of other tests' fixtures may remain; none of ours may.
    for (size_t i = 0; i < kStandardQueueCount; ++i)
        EXPECT_EQ(names.count(kStandardQueues[i].szQueue), 0u);
    // Later tests in this prefix find the queues as the tool leaves them.
    EXPECT_TRUE(AddStandardTempQueues());
}

} // namespace

"""Checks that Windows would start a program: check_imports.py [--quiet] FILE...

Every DLL that FILE names in its import or delay-load import table must be a
system DLL that a clean Windows 10 has (windows_dlls.txt beside this script)
or a file beside FILE; a DLL found beside it is checked the same way. Wine
builds in DLLs that Windows lacks, so a program can pass every test under
Wine and still not start on Windows.

Prints each file's imports (unless --quiet) and one FAIL line per DLL that
Windows would not find. Exit code 0 when all is found, 1 when something is
missing, 2 when a file is not a readable PE image.
"""

import os
import re
import struct
import sys

IMPORT_DIRECTORY = 1
DELAY_IMPORT_DIRECTORY = 13
DLL_SUFFIX = re.compile(rb"\.(?:dll|drv|ocx)\0", re.IGNORECASE)
NAME_BYTES = frozenset(b"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_.-")


class NotPortableExecutable(Exception):
    pass


class Image:
    """The parts of a PE file that locate its import tables."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise NotPortableExecutable("no MZ header")
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise NotPortableExecutable("no PE signature")
        section_count = self.u16(pe + 6)
        optional_size = self.u16(pe + 20)
        optional = pe + 24
        magic = self.u16(optional)
        if magic == 0x20B:
            self.image_base = self.u64(optional + 24)
            directories = optional + 112
        elif magic == 0x10B:
            self.image_base = self.u32(optional + 28)
            directories = optional + 96
        else:
            raise NotPortableExecutable("unknown optional header 0x%X" % magic)
        directory_count = self.u32(directories - 4)
        self.directories = [
            (self.u32(directories + 8 * i), self.u32(directories + 8 * i + 4))
            for i in range(min(directory_count, 16))
        ]
        table = optional + optional_size
        self.sections = []
        for i in range(section_count):
            at = table + 40 * i
            virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from(
                "<IIII", data, self.checked(at + 8, 16))
            self.sections.append((virtual_address, max(virtual_size, raw_size), raw_offset,
                                  raw_size))

    def checked(self, offset, size):
        if offset < 0 or offset + size > len(self.data):
            raise NotPortableExecutable("reference past the end of the file")
        return offset

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, self.checked(offset, 2))[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, self.checked(offset, 4))[0]

    def u64(self, offset):
        return struct.unpack_from("<Q", self.data, self.checked(offset, 8))[0]

    def offset_of(self, rva):
        for virtual_address, size, raw_offset, raw_size in self.sections:
            if virtual_address <= rva < virtual_address + size and rva - virtual_address < raw_size:
                return raw_offset + rva - virtual_address
        raise NotPortableExecutable("address 0x%X lies in no section" % rva)

    def text_at(self, rva):
        start = self.offset_of(rva)
        end = self.data.find(b"\0", start)
        if end < 0:
            raise NotPortableExecutable("unterminated DLL name")
        return self.data[start:end].decode("ascii", "replace")

    def descriptors(self, directory, size, name_field):
        """Offset and name address of each descriptor in a table ended by a zero one."""
        rva = self.directories[directory][0] if directory < len(self.directories) else 0
        while rva:
            at = self.offset_of(rva)
            self.checked(at, size)
            if not any(self.data[at:at + size]):
                break
            yield at, self.u32(at + name_field)
            rva += size

    def imports(self):
        names = [self.text_at(name) for _, name in self.descriptors(IMPORT_DIRECTORY, 20, 12)]
        delayed = [self.text_at(name if self.u32(at) & 1 else name - self.image_base)
                   for at, name in self.descriptors(DELAY_IMPORT_DIRECTORY, 32, 4)]
        # GNU ld leaves the delay-load directory empty and puts the tables
        # among the code, so they are looked for by their shape instead.
        return names + (delayed or self.unlisted_delay_imports())

    def unlisted_delay_imports(self):
        names = []
        for match in DLL_SUFFIX.finditer(self.data):
            start = match.start()
            while start > 0 and self.data[start - 1] in NAME_BYTES:
                start -= 1
            name_rva = self.rva_of(start)
            if start == match.start() or name_rva is None:
                continue
            # A descriptor: attributes 1 (offsets, not addresses), the name,
            # then the module handle, address table and name table.
            pattern = struct.pack("<II", 1, name_rva)
            at = self.data.find(pattern)
            while at >= 0:
                if at % 4 == 0 and at + 32 <= len(self.data):
                    handle, addresses, names_table = struct.unpack_from("<III", self.data, at + 8)
                    if all(self.maps(rva) for rva in (handle, addresses, names_table)):
                        names.append(self.data[start:match.end() - 1].decode("ascii"))
                        break
                at = self.data.find(pattern, at + 1)
        return names

    def rva_of(self, offset):
        for virtual_address, _, raw_offset, raw_size in self.sections:
            if raw_offset <= offset < raw_offset + raw_size:
                return virtual_address + offset - raw_offset
        return None

    def maps(self, rva):
        return any(virtual_address <= rva < virtual_address + size
                   for virtual_address, size, _, _ in self.sections)


def system_dlls():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "windows_dlls.txt")) as listing:
        return {line.strip().lower() for line in listing
                if line.strip() and not line.startswith("#")}


def files_beside(path):
    folder = os.path.dirname(os.path.abspath(path))
    return {name.lower(): os.path.join(folder, name) for name in os.listdir(folder)}


def main(args):
    quiet = "--quiet" in args
    pending = [a for a in args if a != "--quiet"]
    if not pending:
        print(__doc__.strip().splitlines()[0], file=sys.stderr)
        return 2
    allowed = system_dlls()
    seen = set()
    status = 0
    while pending:
        path = os.path.abspath(pending.pop(0))
        if path in seen:
            continue
        seen.add(path)
        name = os.path.basename(path)
        try:
            with open(path, "rb") as image_file:
                imported = Image(image_file.read()).imports()
        except (OSError, NotPortableExecutable) as error:
            print("FAIL: %s cannot be read as a Windows image: %s" % (name, error))
            return 2
        if not quiet:
            print("%s imports %s" % (name, " ".join(imported) or "nothing"))
        beside = files_beside(path)
        for dll in imported:
            if dll.lower() in beside:
                pending.append(beside[dll.lower()])
            elif dll.lower() not in allowed:
                print("FAIL: %s imports %s, which a clean Windows 10 lacks and nothing "
                      "beside it provides" % (name, dll))
                status = 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

#!/usr/bin/env python3
"""The files a setup program of the CD carries, appended to the program
(the format is setup/payload.h's):

    [program][file data ...][directory][trailer]

directory: per file, u32 offset from the start, u32 size, name, 0 byte;
trailer: u32 program size, u32 directory offset, b"VorSetup".

    setup_payload.py make PROGRAM OUT NAME=PATH...   writes OUT: PROGRAM carrying the files
    setup_payload.py list SETUP                      names and sizes of what SETUP carries
    setup_payload.py unpack SETUP FOLDER             the bare program and the files, into FOLDER
"""
import os
import struct
import sys

MAGIC = b'VorSetup'


def make(program, files):
    """program's bytes followed by files [(name, bytes)] and the directory."""
    out = bytearray(program)
    directory = bytearray()
    for name, data in files:
        directory += struct.pack('<II', len(out), len(data)) + name.encode('ascii') + b'\0'
        out += data
    directory_at = len(out)
    out += directory + struct.pack('<II', len(program), directory_at) + MAGIC
    return bytes(out)


def read(data):
    """(bare program, [(name, bytes)]), or None when data carries nothing."""
    if len(data) < 16 or data[-8:] != MAGIC:
        return None
    program_size, directory_at = struct.unpack_from('<II', data, len(data) - 16)
    end = len(data) - 16
    if not 0 < program_size <= directory_at <= end:
        raise ValueError('damaged setup program: its directory lies outside it')
    files, at = [], directory_at
    while at < end:
        offset, size = struct.unpack_from('<II', data, at)
        name_end = data.index(b'\0', at + 8)
        name = data[at + 8:name_end].decode('ascii')
        if offset < program_size or offset + size > directory_at:
            raise ValueError('damaged setup program: %s lies outside its files' % name)
        files.append((name, data[offset:offset + size]))
        at = name_end + 1
    return data[:program_size], files


def main(argv):
    if len(argv) >= 4 and argv[1] == 'make':
        files = []
        for pair in argv[4:]:
            name, path = pair.split('=', 1)
            with open(path, 'rb') as f:
                files.append((name, f.read()))
        with open(argv[2], 'rb') as f:
            program = f.read()
        with open(argv[3] + '.tmp', 'wb') as f:
            f.write(make(program, files))
        os.replace(argv[3] + '.tmp', argv[3])
        return 0
    if len(argv) == 3 and argv[1] == 'list':
        with open(argv[2], 'rb') as f:
            found = read(f.read())
        for name, data in (found[1] if found else []):
            print('%s\t%d' % (name, len(data)))
        return 0
    if len(argv) == 4 and argv[1] == 'unpack':
        with open(argv[2], 'rb') as f:
            found = read(f.read())
        if found is None:
            print('%s carries no files' % argv[2], file=sys.stderr)
            return 1
        os.makedirs(argv[3], exist_ok=True)
        with open(os.path.join(argv[3], 'program.exe'), 'wb') as f:
            f.write(found[0])
        for name, data in found[1]:
            with open(os.path.join(argv[3], name), 'wb') as f:
                f.write(data)
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))

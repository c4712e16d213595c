#!/usr/bin/env python3
# Writes the example set files of this folder, byte by byte, from the
# flattened message format (BeOS R5 "FOB1", x86 byte order). Each holds the
# one item "LastFileSaved" of type 'CSTR' = "/home/user/friends.zib", added as
# fixed-size data with room for one item.
#
# A set file is an int32 byte count N (little-endian) followed by N bytes of
# flattened message.

PATH = b"/home/user/friends.zib\0"  # 23 bytes, the terminator counts
NAME = b"LastFileSaved"              # 13 bytes, no terminator

# settings-beos: as BeOS writes it, with mini-data (1-byte data and name
# lengths), 61 message bytes.
beos = bytes([
    0x3D, 0x00, 0x00, 0x00,  # set file: N = 61
    0x31, 0x42, 0x4F, 0x46,  # magic 'FOB1'
    0x01, 0x00, 0x00, 0x3D,  # checksum 0x3D000001 = 0x3D000000 (size) + 0 (what) + 0x01 (flags)
    0x3D, 0x00, 0x00, 0x00,  # flattened size 61
    0x00, 0x00, 0x00, 0x00,  # what 0
    0x01,                    # message flags: valid
    0x0F,                    # field flags: valid | mini-data | fixed size | single item
    0x52, 0x54, 0x53, 0x43,  # type 'CSTR'
                             # (no item count: single item)
    0x17,                    # data length 23 (1 byte: mini-data)
    0x0D,                    # name length 13
]) + NAME + PATH + bytes([
    0x00,                    # end of fields
])

# settings-haiku-r5: the same message as Haiku's R5 writer produces it, without
# mini-data (4-byte data length), 64 message bytes.
haiku = bytes([
    0x40, 0x00, 0x00, 0x00,  # set file: N = 64
    0x31, 0x42, 0x4F, 0x46,  # magic 'FOB1'
    0x01, 0x00, 0x00, 0x40,  # checksum 0x40000001 = 0x40000000 (size) + 0 (what) + 0x01 (flags)
    0x40, 0x00, 0x00, 0x00,  # flattened size 64
    0x00, 0x00, 0x00, 0x00,  # what 0
    0x01,                    # message flags: valid
    0x0D,                    # field flags: valid | fixed size | single item
    0x52, 0x54, 0x53, 0x43,  # type 'CSTR'
    0x17, 0x00, 0x00, 0x00,  # data length 23 (int32)
    0x0D,                    # name length 13
]) + NAME + PATH + bytes([
    0x00,                    # end of fields
])

assert len(beos) == 4 + 61 and len(haiku) == 4 + 64
with open("settings-beos", "wb") as out:
    out.write(beos)
with open("settings-haiku-r5", "wb") as out:
    out.write(haiku)

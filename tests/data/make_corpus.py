#!/usr/bin/python3
"""Makes the image codec corpus in tests/data/{bmp,tga,dds,pvr}.

Files come from ImageMagick (convert), Pillow and nvcompress (the only tool here
that writes DXT3). Next to every file a tool wrote lies NAME.rgba: its pixels as
the same tool reads them back, 8-bit RGBA, top row first. Files named refused_*
are valid files of kinds the decoders do not take; hostile_* are damaged or
lying files that must fail cleanly. The tests and fuzz seeds use the committed
files; run this only to remake them.
"""
import os
import shutil
import struct
import subprocess
import tempfile

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
TMP = tempfile.mkdtemp()


def out(kind, name):
    folder = os.path.join(HERE, kind)
    os.makedirs(folder, exist_ok=True)
    return os.path.join(folder, name)


def stem(path):
    return os.path.splitext(path)[0]


# -auto-orient: ImageMagick reads a bottom-left TGA without turning its rows
# and only records the orientation.
def dump_im(path):
    subprocess.run(["convert", path, "-auto-orient", "-depth", "8", "rgba:" + stem(path) + ".rgba"], check=True)


def dump_pil(path):
    with open(stem(path) + ".rgba", "wb") as f:
        f.write(Image.open(path).convert("RGBA").tobytes())


def dump_nv(path):
    subprocess.run(["nvdecompress", path], check=True, capture_output=True)
    tga = stem(path) + ".tga"
    with open(stem(path) + ".rgba", "wb") as f:
        f.write(Image.open(tga).convert("RGBA").tobytes())
    os.remove(tga)


# A 13 x 7 picture: odd width (row padding), flat runs (RLE), ramps and an alpha ramp.
def picture(w=13, h=7):
    img = Image.new("RGBA", (w, h))
    for y in range(h):
        for x in range(w):
            if y == 0:
                c = (200, 30, 30, 255)                      # one run across the row
            elif y == 1 and x < 6:
                c = (10, 200, 40, 128)
            else:
                c = ((x * 19 + y * 7) % 256, (y * 37 + x * 3) % 256, (x * y * 11 + 50) % 256,
                     (x * 20 + y * 30) % 256)
            img.putpixel((x, y), c)
    return img


# A 32 x 16 picture for the block formats: four quadrants that a flipped or
# misplaced block would show, with alpha steps and a checker.
def block_picture():
    img = Image.new("RGBA", (32, 16))
    for y in range(16):
        for x in range(32):
            if x < 16 and y < 8:
                c = (255, 0, 0, 255)
            elif y < 8:
                c = (0, (x * 16) % 256, 255, (x * 8) % 256)
            elif x < 16:
                c = ((x * 17) % 256, (y * 17) % 256, 128, 128)
            else:
                c = (255, 255, 0, 0 if (x + y) % 2 else 255)
            img.putpixel((x, y), c)
    return img


def tmp(name):
    return os.path.join(TMP, name)


def make_sources():
    pic = picture()
    pic.save(tmp("rgba.png"))
    pic.convert("RGB").save(tmp("rgb.png"))
    pic.convert("RGB").quantize(2).save(tmp("p2.png"))
    pic.convert("RGB").quantize(16).save(tmp("p16.png"))
    pic.convert("RGB").quantize(40).save(tmp("p40.png"))
    pic.convert("L").save(tmp("grey.png"))
    block_picture().save(tmp("block.png"))


def make_bmp():
    for name, src, options in [("im_1bit", "p2.png", []), ("im_4bit", "p16.png", []),
                               ("im_8bit", "p40.png", ["-compress", "None"]),
                               ("im_24bit", "rgb.png", []),
                               ("im_32bit", "rgba.png", ["-define", "bmp3:alpha=true"])]:
        path = out("bmp", name + ".bmp")
        subprocess.run(["convert", tmp(src), *options, "BMP3:" + path], check=True)
        dump_im(path)
    for name, img in [("pil_1bit", Image.open(tmp("rgb.png")).convert("1")),
                      ("pil_8bit_palette", Image.open(tmp("p40.png"))),
                      ("pil_8bit_grey", Image.open(tmp("grey.png"))),
                      ("pil_24bit", Image.open(tmp("rgb.png"))),
                      ("pil_32bit", Image.open(tmp("rgba.png")))]:
        path = out("bmp", name + ".bmp")
        img.save(path)
        dump_pil(path)
        if img.mode == "RGBA":  # Pillow writes the alpha bytes but reads them back as opaque
            assert open(stem(path) + ".rgba", "rb").read()[:3] == img.tobytes()[:3]
            with open(stem(path) + ".rgba", "wb") as f:
                f.write(img.tobytes())

    # Variants of a tool's file, with the same pixels.
    base = open(out("bmp", "im_24bit.bmp"), "rb").read()
    width, height = struct.unpack_from("<ii", base, 18)
    row = (width * 3 + 3) & ~3
    rows = [base[54 + i * row:54 + (i + 1) * row] for i in range(height)]
    top_down = bytearray(base[:54]) + b"".join(reversed(rows))
    struct.pack_into("<i", top_down, 22, -height)
    write("bmp", "top_down_24bit.bmp", top_down, "im_24bit")

    b32 = open(out("bmp", "im_32bit.bmp"), "rb").read()
    masks = struct.pack("<III", 0xFF0000, 0xFF00, 0xFF)
    fields = bytearray(b32[:54]) + masks + b32[54:]
    struct.pack_into("<I", fields, 10, 54 + 12)
    struct.pack_into("<I", fields, 30, 3)
    struct.pack_into("<I", fields, 2, len(fields))
    write("bmp", "bitfields_32bit.bmp", fields, "im_32bit")
    opaque(out("bmp", "bitfields_32bit.rgba"))  # bit fields without an alpha mask carry no alpha

    b8 = open(out("bmp", "im_8bit.bmp"), "rb").read()
    offset = struct.unpack_from("<I", b8, 10)[0]
    gap = bytearray(b8[:offset]) + bytes(range(7, 7 + 16)) + b8[offset:]
    struct.pack_into("<I", gap, 10, offset + 16)
    struct.pack_into("<I", gap, 2, len(gap))
    write("bmp", "gap_8bit.bmp", gap, "im_8bit")

    # Refused: information headers of 108 (V4) and 124 (V5) bytes.
    v5 = out("bmp", "refused_v5.bmp")
    subprocess.run(["convert", tmp("rgba.png"), "BMP:" + v5], check=True)
    assert struct.unpack_from("<I", open(v5, "rb").read(), 14)[0] == 124
    v4 = bytearray(base[:54]) + bytes(108 - 40) + base[54:]
    struct.pack_into("<I", v4, 14, 108)
    struct.pack_into("<I", v4, 10, 14 + 108)
    struct.pack_into("<I", v4, 2, len(v4))
    write("bmp", "refused_v4.bmp", v4)

    # Hostile: height 0x80000000 (its absolute value does not fit), no pixels.
    hostile = bytearray(base[:54])
    struct.pack_into("<I", hostile, 22, 0x80000000)
    write("bmp", "hostile_height.bmp", hostile)
    huge = bytearray(base[:54])
    struct.pack_into("<ii", huge, 18, 0x7FFFFFFF, 0x7FFFFFFF)
    write("bmp", "hostile_huge.bmp", huge)
    colours = bytearray(open(out("bmp", "im_8bit.bmp"), "rb").read())
    struct.pack_into("<I", colours, 46, 0x7FFFFFFF)
    write("bmp", "hostile_palette.bmp", colours)


def make_tga():
    for name, src, options in [("im_24bit", "rgb.png", []), ("im_24bit_rle", "rgb.png", ["-compress", "RLE"]),
                               ("im_32bit_rle", "rgba.png", ["-compress", "RLE"]),
                               ("im_24bit_top", "rgb.png", ["-orient", "TopLeft"]),
                               ("im_32bit_rle_top", "rgba.png", ["-orient", "TopLeft", "-compress", "RLE"]),
                               ("im_8bit_mapped", "p40.png", []), ("im_8bit_grey", "grey.png", [])]:
        path = out("tga", name + ".tga")
        subprocess.run(["convert", tmp(src), *options, "TGA:" + path], check=True)
        dump_im(path)
    for name, src, options in [("pil_24bit", "rgb.png", {}), ("pil_24bit_rle", "rgb.png", {"compression": "tga_rle"}),
                               ("pil_32bit_top", "rgba.png", {"orientation": 1}),
                               ("pil_32bit_rle_top", "rgba.png", {"compression": "tga_rle", "orientation": 1}),
                               ("pil_8bit_mapped_rle", "p40.png", {"compression": "tga_rle"}),
                               ("pil_8bit_grey_rle", "grey.png", {"compression": "tga_rle"})]:
        path = out("tga", name + ".tga")
        Image.open(tmp(src)).save(path, **options)
        dump_pil(path)
    Image.open(tmp("rgb.png")).save(out("tga", "refused_id.tga"), id_section=b"hello")

    # Hostile: 65535 x 65535, colour-mapped and run-length encoded, a few packets.
    header = struct.pack("<BBBHHBHHHHBB", 0, 1, 9, 0, 2, 24, 0, 0, 65535, 65535, 8, 0)
    write("tga", "hostile_rle_map.tga", header + bytes(6) + bytes([0xFF, 0, 0xFF, 1]))
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 10, 0, 0, 0, 0, 0, 4, 4, 24, 0)
    write("tga", "hostile_rle_overrun.tga", header + bytes([0xFF, 1, 2, 3]))
    header = struct.pack("<BBBHHBHHHHBB", 0, 1, 1, 0, 2, 24, 0, 0, 2, 1, 8, 0)
    write("tga", "hostile_index.tga", header + bytes(6) + bytes([1, 2]))


def make_dds():
    for name, options in [("im_dxt1_mips", ["-define", "dds:compression=dxt1", "-define", "dds:mipmaps=3"]),
                          ("im_dxt5_mips", ["-define", "dds:compression=dxt5", "-define", "dds:mipmaps=3"]),
                          ("im_rgba_mips", ["-define", "dds:compression=none", "-define", "dds:mipmaps=3"]),
                          ("im_rgb", ["-define", "dds:compression=none", "-define", "dds:mipmaps=0",
                                      "-alpha", "off"])]:
        path = out("dds", name + ".dds")
        subprocess.run(["convert", tmp("block.png"), *options, "DDS:" + path], check=True)
        dump_im(path)
    for name, option in [("nv_dxt1_mips", "-bc1"), ("nv_dxt3_mips", "-bc2"), ("nv_dxt5_mips", "-bc3")]:
        path = out("dds", name + ".dds")
        subprocess.run(["nvcompress", "-silent", option, tmp("block.png"), path], check=True, capture_output=True)
        dump_nv(path)
    for name, img in [("pil_rgba", Image.open(tmp("block.png"))),
                      ("pil_rgb", Image.open(tmp("block.png")).convert("RGB"))]:
        path = out("dds", name + ".dds")
        img.save(path)
        dump_pil(path)

    # Refused: an extended header (four-character code "DX10") before 32-bit data.
    plain = open(out("dds", "pil_rgba.dds"), "rb").read()
    dx10 = bytearray(plain[:128]) + struct.pack("<IIIII", 28, 3, 0, 1, 0) + plain[128:]
    dx10[84:88] = b"DX10"
    write("dds", "refused_dx10.dds", dx10)

    # Hostile: 65535 x 65535 Rgba32f (format code 116) with no data; a 4 x 4
    # file with mip count 0xFFFFFFFF.
    write("dds", "hostile_huge_rgba32f.dds", dds_header(65535, 65535, 116, 0, 1))
    write("dds", "hostile_mips.dds", dds_header(4, 4, 0, 32, 0xFFFFFFFF) + bytes(64))


def make_refused_dds_layouts():
    # Refused: uncompressed layouts the bit count would misread. 4 x 4 each.
    for name, flags, bits, masks in [
            ("refused_v8u8", 0x80000, 16, (0xFF, 0xFF00, 0, 0)),
            ("refused_l6v5u5", 0x40000, 16, (0x1F, 0x3E0, 0xFC00, 0)),
            ("refused_p8", 0x20, 8, (0, 0, 0, 0)),
            ("refused_a4l4", 0x20001, 8, (0x0F, 0, 0, 0xF0))]:
        h = bytearray(dds_header(4, 4, 0, bits, 0))
        struct.pack_into("<II", h, 80, flags, 0)
        struct.pack_into("<IIII", h, 92, *masks)
        palette = bytes(range(256)) * 4 if flags == 0x20 else b""
        write("dds", name + ".dds", bytes(h) + palette + bytes(i * 37 % 256 for i in range(16 * bits // 8)))


def dds_header(width, height, code, bits, mips):
    h = bytearray(128)
    h[0:4] = b"DDS "
    struct.pack_into("<IIIIIIII", h, 4, 124, 0x21007, height, width, 0, 0, mips, 0)
    struct.pack_into("<IIIIIIIIII", h, 76, 32, 0x4 if code else 0x41, code, bits,
                     0xFF0000, 0xFF00, 0xFF, 0xFF000000, 0x401008, 0)
    return bytes(h)


def make_pvr():
    def pvr(width, height, mips, alpha, data):
        return struct.pack("<4siiiB", b"PVR ", width, height, mips, alpha) + data
    write("pvr", "rgb_4x4.pvr", pvr(4, 4, 1, 0, bytes(range(32))))
    write("pvr", "rgba_8x8_mips.pvr", pvr(8, 8, 2, 1, bytes(range(64))))
    write("pvr", "rgb_32x16_mips.pvr", pvr(32, 16, 6, 0, bytes(i * 7 % 256 for i in range(256 + 64 + 32 * 4))))
    write("pvr", "hostile_huge.pvr", pvr(65535, 65535, 1, 1, bytes(8)))
    write("pvr", "hostile_mips.pvr", pvr(4, 4, -1, 0, bytes(32)))


def opaque(rgba):
    pixels = bytearray(open(rgba, "rb").read())
    pixels[3::4] = b"\xff" * (len(pixels) // 4)
    with open(rgba, "wb") as f:
        f.write(pixels)


def write(kind, name, data, pixels_of=None):
    with open(out(kind, name), "wb") as f:
        f.write(data)
    if pixels_of:
        shutil.copyfile(out(kind, pixels_of + ".rgba"), out(kind, stem(name) + ".rgba"))


if __name__ == "__main__":
    make_sources()
    make_bmp()
    make_tga()
    make_dds()
    make_refused_dds_layouts()
    make_pvr()
    shutil.rmtree(TMP)

"""Tests of the Python link client against the real programs.

CORVID_PROGRAM and CORVID_BATCH name the built corvid and corvid-batch.
"""

import json
import os
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, ".."))
from corvid_link import CorvidLink, CorvidLinkError, BLUE, DASHED, SQUARE, TRIANGLE  # noqa: E402

CORVID = os.environ.get("CORVID_PROGRAM", "corvid")
BATCH = os.environ.get("CORVID_BATCH", "corvid-batch")


def batch_link(*command, cwd=None):
    return CorvidLink(BATCH, command=command or ("info", "--points"), stdout=subprocess.PIPE,
                      stderr=subprocess.PIPE, cwd=cwd)


def page(link):
    return json.loads(link.output.decode("utf-8"))


def png_size(path):
    with open(path, "rb") as image:
        head = image.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", head[:8]
    return struct.unpack(">II", head[16:24])


def bmp_size(path):
    with open(path, "rb") as image:
        head = image.read(26)
    assert head[:2] == b"BM", head[:2]
    return struct.unpack("<ii", head[18:26])


class BatchRoute(unittest.TestCase):
    """The stream read by corvid-batch info, which prints the page it made."""

    def test_three_points_in_sending_order(self):
        link = batch_link()
        link.new_set("a")
        for x in (1, 2, 3):
            link.point(x, 10 * x)
        link.end_data()
        self.assertEqual(link.wait(30), 0, link.errors)
        plots = page(link)["graphs"][0]["plots"]
        self.assertEqual(len(plots), 1)
        self.assertEqual(plots[0]["info"], "a")
        self.assertEqual(plots[0]["points"], [[1, 10], [2, 20], [3, 30]])

    def test_styles_titles_ranges_and_ticks(self):
        link = batch_link()
        link.title("Piped")
        link.title_size(22)
        link.x_label("x")
        link.y_label("y")
        link.new_set("first", dx=True)
        link.point(1, 2, dx=-0.5)
        link.symbol(TRIANGLE)
        link.symbol_size(7)
        link.line(DASHED)
        link.line_width(3)
        link.line_color(BLUE)
        link.new_set("second", dy=True)
        link.points([(2, 3, 0.1), (4, 5, 0.2)])
        link.symbol_rgb(255, 128, 0)
        link.x_range(0, 10)
        link.y_range(-1, 6)
        link.x_ticks(2, 1)
        link.y_ticks(-1, 0.5)
        link.end_data()
        self.assertEqual(link.wait(30), 0, link.errors)
        graph = page(link)["graphs"][0]
        self.assertEqual(graph["title"]["text"], "Piped")
        self.assertEqual(graph["xLabel"]["text"], "x")
        first, second = graph["plots"]
        self.assertEqual((first["pointStyle"], first["pointSize"], first["lineStyle"], first["lineSize"]),
                         (TRIANGLE, 7, DASHED, 3))
        self.assertEqual(first["dx"], [0.5])
        self.assertEqual(second["lineColor"], 0xFFFF00, "cyan follows blue")
        self.assertEqual(second["pointColor"], 0x0080FF)
        f32 = lambda v: struct.unpack("<f", struct.pack("<f", v))[0]  # noqa: E731
        self.assertEqual([f32(v) for v in second["dy"]], [f32(0.1), f32(0.2)])
        self.assertEqual((graph["xMin"], graph["xMax"], graph["yMin"], graph["yMax"]), (0, 10, -1, 6))

    def test_column_points_and_a_large_set(self):
        link = batch_link("info")
        link.new_set("big")
        count = 200000
        link.points(x=range(count), y=[v * 0.5 for v in range(count)])
        link.end_data()
        self.assertEqual(link.wait(60), 0, link.errors)
        self.assertEqual(page(link)["graphs"][0]["plots"][0]["pointCount"], count)

    def test_leaving_without_an_ending_keeps_the_finished_sets(self):
        with batch_link("info") as link:
            link.new_set("kept")
            link.point(1, 1)
            link.new_set("open")
            link.point(2, 2)
        self.assertEqual(link.wait(30), 1)
        self.assertIn(b"message: Can't read message header", link.errors)
        names = [p["info"] for p in page(link)["graphs"][0]["plots"]]
        self.assertEqual(names, ["kept"])

    def test_values_the_protocol_cannot_carry_are_refused_here(self):
        link = batch_link("info")
        with self.assertRaises(CorvidLinkError):
            link.point(1, 2)  # no set yet
        link.new_set("a", dx=True)
        with self.assertRaises(CorvidLinkError):
            link.point(1, 2)  # dx missing
        for call in (lambda: link.symbol_size(11), lambda: link.line_width(6), lambda: link.symbol(8),
                     lambda: link.line_rgb(256, 0, 0), lambda: link.title_size(0)):
            with self.assertRaises(CorvidLinkError):
                call()
        link.end_data()
        self.assertEqual(link.wait(30), 0, link.errors)
        with self.assertRaises(CorvidLinkError):
            link.title("too late")


class DesktopRoute(unittest.TestCase):
    """The stream read by corvid itself, offscreen, ending with a file."""

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def stream(self, link):
        link.title("Desktop")
        link.new_set("line")
        link.points((x, x * x) for x in range(20))
        link.symbol(SQUARE)

    def test_export_png_writes_the_image_and_closes(self):
        path = os.path.join(self.dir.name, "page.png")
        link = CorvidLink(CORVID, headless=True, stderr=subprocess.PIPE)
        self.stream(link)
        self.assertEqual(link.export_png(path, 320, 200, timeout=60), 0, link.errors)
        self.assertEqual(png_size(path), (320, 200))

    def test_export_bmp_writes_the_image_and_closes(self):
        path = os.path.join(self.dir.name, "page.bmp")
        link = CorvidLink(CORVID, headless=True, stderr=subprocess.PIPE)
        self.stream(link)
        self.assertEqual(link.export_bmp(path, 33, 21, timeout=60), 0, link.errors)
        self.assertEqual(bmp_size(path), (33, 21))

    def test_close_ends_the_program(self):
        link = CorvidLink(CORVID, headless=True, stderr=subprocess.PIPE)
        self.stream(link)
        self.assertEqual(link.close(timeout=60), 0, link.errors)

    def test_save_asks_for_the_document_and_closes(self):
        # The page is saved as a document (it starts with the format's
        # magic bytes) and the program closes.
        path = os.path.join(self.dir.name, "page.cvp")
        link = CorvidLink(CORVID, headless=True, stderr=subprocess.PIPE)
        self.stream(link)
        self.assertEqual(link.save(path, timeout=60), 0, link.errors)
        with open(path, "rb") as saved:
            self.assertEqual(saved.read(4), b"\xa4\x70\x9d\x3f")
        self.assertNotIn(b"Unable to save/export file!", link.errors)

    def test_an_ending_that_fails_is_an_error(self):
        # The program reports the failed save or export and exits with 1,
        # which the client raises instead of returning.
        missing = os.path.join(self.dir.name, "no", "such")
        endings = {
            "save": lambda link: link.save(os.path.join(missing, "page.cvp"), timeout=60),
            "export_png": lambda link: link.export_png(os.path.join(missing, "page.png"), 32, 32, timeout=60),
            "export_bmp": lambda link: link.export_bmp(os.path.join(missing, "page.bmp"), 32, 32, timeout=60),
        }
        for name, ending in endings.items():
            with self.subTest(name):
                link = CorvidLink(CORVID, headless=True, stderr=subprocess.PIPE)
                self.stream(link)
                with self.assertRaises(CorvidLinkError):
                    ending(link)
                self.assertEqual(link.process.returncode, 1)
                self.assertIn(b"Unable to save/export file!", link.errors)


if __name__ == "__main__":
    unittest.main()

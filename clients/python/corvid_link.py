"""Stream data sets into CorvidPlot over the Corvid Link pipe (protocol version 4).

Starts ``corvid`` (or ``corvid-batch``) with the read end of a new pipe as an
inherited file descriptor (``-pipe N``) and writes link messages into it:
data sets with optional error values, their styles, the graph's titles,
ranges and ticks, and one of five endings. Standard library only.

    from corvid_link import CorvidLink, CIRCLE, RED
    with CorvidLink() as link:
        link.new_set("squares")
        link.points((x, x * x) for x in range(10))
        link.symbol(CIRCLE)
        link.line_color(RED)
        link.title("Squares")
        link.export_png("squares.png", 640, 480)
"""

import os
import struct
import subprocess

__all__ = [
    "CorvidLink", "CorvidLinkError", "PROTOCOL_VERSION",
    "CIRCLE", "SQUARE", "TRIANGLE", "DOT", "HISTOGRAM_X", "HISTOGRAM_Y", "VECTOR", "NO_SYMBOL",
    "SOLID", "DOTTED", "DASHED", "DASH_DOT", "DASH_DOT_DOT", "NO_LINE",
    "BLACK", "WHITE", "RED", "GREEN", "BLUE", "CYAN", "GREY", "NO_COLOR",
]

PROTOCOL_VERSION = 4

# Symbol styles, line styles and colour codes.
CIRCLE, SQUARE, TRIANGLE, DOT, HISTOGRAM_X, HISTOGRAM_Y, VECTOR, NO_SYMBOL = range(8)
SOLID, DOTTED, DASHED, DASH_DOT, DASH_DOT_DOT, NO_LINE = range(6)
BLACK, WHITE, RED, GREEN, BLUE, CYAN, GREY, NO_COLOR = range(8)

_INT = struct.Struct("<i")
_PAIR = struct.Struct("<ff")
_CODE_INT = struct.Struct("<bi")
_CODE_PAIR = struct.Struct("<bff")
_POINT = struct.Struct("<bff")
_POINT_ONE_ERROR = struct.Struct("<bfff")
_POINT_TWO_ERRORS = struct.Struct("<bffff")
_INT_MIN, _INT_MAX = -(2 ** 31), 2 ** 31 - 1


class CorvidLinkError(Exception):
    """A value the protocol cannot carry, a program that stopped reading, or
    an ending whose program exited with a status other than 0 (the stream
    failed, or the save or export it asked for failed)."""


class CorvidLink:
    """One running program and the pipe it reads.

    program   the program to start: $CORVID_PROGRAM, else "corvid" on PATH
    command   arguments before "-pipe N" (for corvid-batch: ["info"], ["render"])
    args      arguments after it (corvid's own page arguments, as "-xy data.txt")
    headless  run without a screen: offscreen platform, messages on standard error
    **popen   passed on to subprocess.Popen (stdout=subprocess.PIPE, cwd=..., env=...)
    """

    def __init__(self, program=None, command=(), args=(), headless=False, **popen):
        program = program or os.environ.get("CORVID_PROGRAM", "corvid")
        read_end, write_end = os.pipe()
        if headless:
            env = dict(popen.pop("env", None) or os.environ)
            env["QT_QPA_PLATFORM"] = "offscreen"
            env["CORVID_MESSAGES"] = "stderr"
            popen["env"] = env
        try:
            self.process = subprocess.Popen(
                [program, *command, "-pipe", str(read_end), *args], pass_fds=(read_end,), **popen)
        except BaseException:
            os.close(write_end)
            raise
        finally:
            os.close(read_end)
        self._pipe = os.fdopen(write_end, "wb", buffering=1 << 16)
        self._has_dx = False
        self._has_dy = False
        self._in_set = False
        self._ended = False
        self.output = None  # what the program wrote, when stdout/stderr were pipes
        self.errors = None
        self.version(PROTOCOL_VERSION)

    # -- writing ------------------------------------------------------------

    def _write(self, data):
        if self._ended:
            raise CorvidLinkError("the stream has already ended")
        try:
            self._pipe.write(data)
        except (BrokenPipeError, ValueError) as error:
            raise CorvidLinkError("the program stopped reading the pipe") from error

    def _text(self, code, text):
        data = text.encode("utf-8") if isinstance(text, str) else bytes(text)
        self._write(bytes((code,)) + _INT.pack(len(data) + 1) + data + b"\0")

    def _int(self, code, value, low=_INT_MIN, high=_INT_MAX, what="value"):
        value = int(value)
        if not low <= value <= high:
            raise CorvidLinkError("%s %d is outside %d to %d" % (what, value, low, high))
        self._write(_CODE_INT.pack(code, value))

    def _need_set(self, what):
        if not self._in_set:
            raise CorvidLinkError("%s needs a data set: call new_set first" % what)

    def version(self, number=PROTOCOL_VERSION):
        """Sends the protocol version (done once when the link starts)."""
        self._int(20, number)

    # -- data sets ----------------------------------------------------------

    def new_set(self, name="", dx=False, dy=False):
        """Finishes the current set and starts a new one named `name`; with
        `dx` or `dy` every point carries that error value."""
        self._write(bytes((1, 1 if dx else 0, 1 if dy else 0)))
        data = name.encode("utf-8")
        self._write(_INT.pack(len(data) + 1) + data + b"\0")
        self._has_dx, self._has_dy, self._in_set = bool(dx), bool(dy), True

    def data(self):
        """Sends the "data follows" message (it only checks that a set exists)."""
        self._need_set("data")
        self._write(b"\x02")

    def point(self, x, y, dx=None, dy=None):
        """Adds one point to the current set (with its dx and dy when the set has them)."""
        self._need_set("point")
        self._write(self._pack_point(x, y, dx, dy))

    def points(self, xy=None, dx=None, dy=None, *, x=None, y=None):
        """Adds many points: `xy` is an iterable of (x, y) pairs, or of
        (x, y, dx[, dy]) tuples; or give the columns `x` and `y` (and `dx`,
        `dy`) as sequences of equal length."""
        self._need_set("points")
        if xy is None:
            columns = [x, y] + [c for c in (dx, dy) if c is not None]
            xy = zip(*columns)
            if dx is None and dy is not None:
                xy = ((px, py, None, pdy) for px, py, pdy in xy)
        pack = self._pack_point
        chunk = []
        for row in xy:
            chunk.append(pack(*row))
            if len(chunk) >= 8192:
                self._write(b"".join(chunk))
                chunk = []
        if chunk:
            self._write(b"".join(chunk))

    def _pack_point(self, x, y, dx=None, dy=None):
        if self._has_dx and self._has_dy:
            if dx is None or dy is None:
                raise CorvidLinkError("this set's points need dx and dy")
            return _POINT_TWO_ERRORS.pack(3, x, y, dx, dy)
        if self._has_dx or self._has_dy:
            # A third value in a tuple is the set's one error value, dx or dy.
            error = dx if dx is not None else dy
            if error is None:
                raise CorvidLinkError("this set's points need %s" % ("dx" if self._has_dx else "dy"))
            return _POINT_ONE_ERROR.pack(3, x, y, error)
        return _POINT.pack(3, x, y)

    # -- styles of the current set ------------------------------------------

    def symbol(self, style):
        """Symbol style 0 (circle) to 7 (none)."""
        self._need_set("symbol")
        self._int(11, style, 0, 7, "symbol style")

    def symbol_color(self, code):
        """Symbol colour code 0 (black) to 7 (none)."""
        self._need_set("symbol_color")
        self._int(12, code, 0, 7, "colour code")

    def symbol_rgb(self, red, green, blue):
        """Custom symbol colour, each part 0 to 255."""
        self._need_set("symbol_rgb")
        self._write(bytes((13,)) + self._rgb(red, green, blue))

    def symbol_size(self, size):
        """Symbol size 1 to 10."""
        self._need_set("symbol_size")
        self._int(14, size, 1, 10, "symbol size")

    def line(self, style):
        """Line style 0 (solid) to 5 (none)."""
        self._need_set("line")
        self._int(15, style, 0, 5, "line style")

    def line_color(self, code):
        """Line colour code 0 (black) to 7 (none)."""
        self._need_set("line_color")
        self._int(16, code, 0, 7, "colour code")

    def line_rgb(self, red, green, blue):
        """Custom line colour, each part 0 to 255."""
        self._need_set("line_rgb")
        self._write(bytes((17,)) + self._rgb(red, green, blue))

    def line_width(self, width):
        """Line width 1 to 5."""
        self._need_set("line_width")
        self._int(18, width, 1, 5, "line width")

    @staticmethod
    def _rgb(red, green, blue):
        try:
            return bytes((red, green, blue))
        except ValueError as error:
            raise CorvidLinkError("colour parts must be 0 to 255") from error

    # -- graph 0: titles, ranges, ticks -------------------------------------

    def title(self, text):
        """The graph title (markup text)."""
        self._text(5, text)

    def title_size(self, size):
        """The title's character height, at least 1."""
        self._int(6, size, 1, _INT_MAX, "font size")

    def x_label(self, text):
        self._text(7, text)

    def x_label_size(self, size):
        self._int(8, size, 1, _INT_MAX, "font size")

    def y_label(self, text):
        self._text(9, text)

    def y_label_size(self, size):
        self._int(10, size, 1, _INT_MAX, "font size")

    def x_range(self, minimum, maximum):
        """The x range, applied when the stream ends."""
        self._write(_CODE_PAIR.pack(21, minimum, maximum))

    def x_ticks(self, major, minor):
        """Major and minor tick spacing along x, applied at the end."""
        self._write(_CODE_PAIR.pack(22, major, minor))

    def y_range(self, minimum, maximum):
        self._write(_CODE_PAIR.pack(23, minimum, maximum))

    def y_ticks(self, major, minor):
        self._write(_CODE_PAIR.pack(24, major, minor))

    # -- the five endings ---------------------------------------------------

    def end_data(self):
        """Ends the stream; the program keeps running with the page."""
        self._end(b"\x04")

    # The four endings below wait for the program and return its exit status,
    # 0; any other status (the stream failed, or the save or export failed)
    # raises CorvidLinkError.

    def close(self, timeout=None):
        """Ends the stream and has the program close."""
        self._end(b"\x19")
        return self._succeeded(self.wait(timeout), "closing")

    def save(self, path, timeout=None):
        """Has the program save the page as a document at `path` and close."""
        self._end(self._text_bytes(26, path))
        return self._succeeded(self.wait(timeout), "saving %s" % path)

    def export_bmp(self, path, width, height, timeout=None):
        """Has the program write the page as a BMP image and close."""
        self._end(self._text_bytes(27, path) + _INT.pack(int(width)) + _INT.pack(int(height)))
        return self._succeeded(self.wait(timeout), "exporting %s" % path)

    def export_png(self, path, width, height, timeout=None):
        """Has the program write the page as a PNG image and close."""
        self._end(self._text_bytes(28, path) + _INT.pack(int(width)) + _INT.pack(int(height)))
        return self._succeeded(self.wait(timeout), "exporting %s" % path)

    @staticmethod
    def _succeeded(status, what):
        if status != 0:
            raise CorvidLinkError("%s failed: the program exited with status %d" % (what, status))
        return status

    @staticmethod
    def _text_bytes(code, text):
        data = os.fsencode(text)
        return bytes((code,)) + _INT.pack(len(data) + 1) + data + b"\0"

    def _end(self, message):
        self._write(message)
        self._finish_pipe()

    def _finish_pipe(self):
        self._ended = True
        try:
            self._pipe.close()
        except BrokenPipeError as error:
            raise CorvidLinkError("the program stopped reading the pipe") from error

    def wait(self, timeout=None):
        """Waits for the program to end; returns its exit status."""
        if not self._ended:
            self._finish_pipe()
        if self.process.stdout or self.process.stderr:
            self.output, self.errors = self.process.communicate(timeout=timeout)
        return self.process.wait(timeout)

    def __enter__(self):
        return self

    def __exit__(self, kind, value, traceback):
        # Leaving without an ending closes the pipe; the program then reports
        # "Can't read message header" and keeps what it has.
        if not self._ended:
            try:
                self._finish_pipe()
            except CorvidLinkError:
                pass
        return False

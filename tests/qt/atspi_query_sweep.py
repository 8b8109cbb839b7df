"""Asks Zentavo's four text boxes, over AT-SPI as a screen reader does, for the text at, before
and after every offset at every boundary, and for the attribute run there: for each of the 256
characters in txtParaCar, for a table of typed codes, and at sample offsets of a megabyte of
text. Fails when a call errs or is slow, and prints the slowest call.

usage: atspi_query_sweep.py  (with DISPLAY and the session bus of a running Zentavo)
"""
import sys
import time

import pyatspi

BOUNDARIES = [
    pyatspi.TEXT_BOUNDARY_CHAR,
    pyatspi.TEXT_BOUNDARY_WORD_START,
    pyatspi.TEXT_BOUNDARY_WORD_END,
    pyatspi.TEXT_BOUNDARY_SENTENCE_START,
    pyatspi.TEXT_BOUNDARY_SENTENCE_END,
    pyatspi.TEXT_BOUNDARY_LINE_START,
    pyatspi.TEXT_BOUNDARY_LINE_END,
]
SLOW_SECONDS = 1.0  # a healthy call takes well under a millisecond plus the bus round trip


def find_boxes():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Zentavo":
            window = app[0]
            return [child for child in window if child.getRole() == pyatspi.ROLE_TEXT]
    raise SystemExit("Zentavo is not on the accessibility bus")


class Sweep:
    def __init__(self):
        self.times = []
        self.slowest = (0.0, "")
        self.faults = []

    def call(self, what, function, *arguments):
        started = time.perf_counter()
        try:
            result = function(*arguments)
        except Exception as error:  # any failure of the call is a finding
            self.faults.append(f"{what}: {error}")
            return None
        seconds = time.perf_counter() - started
        self.times.append(seconds)
        if seconds > self.slowest[0]:
            self.slowest = (seconds, what)
        if seconds > SLOW_SECONDS:
            self.faults.append(f"{what}: took {seconds:.2f} s")
        return result

    def ask_everything(self, name, text, length, offsets):
        for offset in offsets:
            for boundary in BOUNDARIES:
                for query in ("getTextAtOffset", "getTextBeforeOffset", "getTextAfterOffset"):
                    got = self.call(f"{name} {query}({offset}, {boundary})",
                                    getattr(text, query), offset, boundary)
                    if got is None:
                        continue
                    unit, start, end = got  # pyatspi gives (text, start, end)
                    whole = len(unit) == end - start or "\0" in text.getText(start, end) or unit == ""
                    if start != -1 and not (0 <= start <= end <= length and whole):
                        self.faults.append(f"{name} {query}({offset}, {boundary}) gave {got!r:.80}")
            run = self.call(f"{name} getAttributeRun({offset})", text.getAttributeRun, offset, False)
            if run is not None and 0 <= offset <= length and (run[1], run[2]) != (0, length):
                self.faults.append(f"{name} attribute run at {offset} is {run[1:]}, not (0, {length})")


def main():
    boxes = {box.name: box for box in find_boxes()}
    def box_named(start):
        return next(box for name, box in boxes.items() if name.startswith(start))

    sweep = Sweep()
    # Each character reaches txtParaCar as a user puts it there: its code typed in txtDeASCII.
    code_input = box_named("Write ASCii code").queryEditableText()
    text = box_named("Caracter").queryText()
    for code in range(256):
        code_input.setTextContents(str(code))
        # A D-Bus string cannot carry U+0000, so code 0 reads as an empty string here.
        try:
            character = bytes([code]).decode("cp1252")
        except UnicodeDecodeError:
            character = chr(code)  # the five undefined codes hold the C1 control of that value
        if text.characterCount != 1 or text.getText(0, -1) not in (character, ""):
            sweep.faults.append(f"txtParaCar does not hold code {code}")
        sweep.ask_everything(f"code {code}", text, 1, range(-1, 3))
    typed = ["", "65", "-", " 6 5 ", "&H41", "65abc,9", "-.5"]
    failing = ["300", "1e10"]  # these would raise the failure report in the code input box
    for box in boxes.values():
        code_input = box.name.startswith("Write ASCii code")
        for content in typed + ([] if code_input else failing):
            box.queryEditableText().setTextContents(content)
            sweep.ask_everything(f"{box.name!r} {content!r}", box.queryText(), len(content),
                                 range(-1, len(content) + 2))
    megabyte = "65 " + "6" * (1 << 20)
    code_output = box_named("ASCII")
    code_output.queryEditableText().setTextContents(megabyte)
    size = len(megabyte)
    # Taking a megabyte in (laying the line out) is the box's own cost, not a query's: wait for
    # it, boundedly, before timing queries.
    deadline = time.monotonic() + 60
    while True:
        try:
            if code_output.queryText().characterCount == size:
                break
        except Exception:  # a bus timeout while the program is busy: ask again
            pass
        if time.monotonic() > deadline:
            raise SystemExit("the box did not take the megabyte in 60 s")
        time.sleep(0.1)
    sweep.ask_everything("a megabyte", code_output.queryText(), size,
                         [0, 1, 2, 3, 4, size // 2, size - 1, size])
    times = sorted(sweep.times)
    print(f"{len(times)} AT-SPI calls, round trip included: median {times[len(times) // 2] * 1000:.2f} ms,"
          f" 99th percentile {times[len(times) * 99 // 100] * 1000:.2f} ms,"
          f" slowest {sweep.slowest[0] * 1000:.1f} ms ({sweep.slowest[1]})")
    for fault in sweep.faults[:40]:
        print("FAULT:", fault)
    return 1 if sweep.faults else 0


if __name__ == "__main__":
    sys.exit(main())

"""The rows of the fault matrix: one fault each, with what must hold after the run.

A row's script runs in the test driver; "{dir}" in it stands for the row's scratch folder. Checks
are functions of the finished run that return a list of problems (empty: it holds).
"""

import dataclasses
import os
import random
import re
import signal
import stat

# The simulated phone's block 67 and the ten field texts it shows as.
DEFAULT_BLOCK_HEX = "800c00103c0ffa00ff7f018000012003001e4400"
DEFAULT_WORDS = ["C80", "1000", "F3C", "FA", "7FFF", "8001", "100", "320", "1E00", "44"]
FIELDS = [f"Edit{n}" for n in range(1, 11)]
PHONE_TEXTS = ["MobileSWVerStText", "ProductNameStText", "LanguageGroupStText",
               "MobileHWIdStText", "DescriptionStText", "VBattMiddleStText", "VBattMaxStText",
               "VBattMinStText", "BattTempStText", "EnvTempStText", "VCXOTempStText"]
SENSOR_TEXTS = PHONE_TEXTS[5:]
FAST_PHONE = "service_mode_ms_per_unit=0\n"
CONNECT = "after 0 wait-connected 8000\n"
INFO = "Error: Unable to read Eelite BlockId=67 info"
SIZE = "Error: punBlockSize!=20"
VERSION = "Error: pucVersion!=1"
READ = "Error: Unable to read Eelite BlockId=67"
ERASE = "Error: Unable to erase Eelite block"
READ_FILE = "Error: Read file error"
WRITE_FILE = "Error: Write file error"
# What a start-up failure's box says to check, after the failure's own line (escaped "\n").
WHAT_TO_CHECK = {
    "library": "Check that the phone maker's Bfb95eg.dll lies beside the program or in a folder "
               "named in LD_LIBRARY_PATH.",
    "port": "Check the port number ComNumber in corvanetool.ini, and that no other program holds "
            "the port.",
    "run log": "Check that the program may create files in the folder it was started in, or name "
               "another run log with LogFile in corvanetool.ini.",
}


def startup_box(line, what):
    return [line + "\\n" + WHAT_TO_CHECK[what]]


def refusal(*fields):
    """The box that refuses editor fields holding no clean word; fields as (offset label, text)."""
    names = [f'{label} "{text}"' for label, text in fields]
    listed = names[0] if len(names) == 1 else ", ".join(names[:-1]) + " and " + names[-1]
    verb = "holds" if len(names) == 1 else "hold"
    return (f"Error: {listed} {verb} no 16-bit hexadecimal word, so nothing was written; a field "
            "may hold only one to four hexadecimal digits (0-9, A-F), optionally after 0x.")


@dataclasses.dataclass
class Row:
    name: str
    scenario: str = ""
    script: str = "after 1500 close\n"
    settings: bytes = b"[Common]\nSensorsUpdateDelay=1\n"
    files: dict = dataclasses.field(default_factory=dict)  # name -> bytes, None: a folder
    library: str = "sim"  # "sim", "missing" or a folder under <build>/variants
    exit_code: int = 0
    messages: list = None  # the exact message boxes; None: not checked here
    checks: list = dataclasses.field(default_factory=list)
    signals: list = dataclasses.field(default_factory=list)  # (seconds after the start, signal)
    timeout: float = 25
    image: bool = True  # the phone's block lives in {dir}/phone.img

    def settings_bytes(self):
        return self.settings

    def full_scenario(self, folder):
        image = f"eelite_image={os.path.join(folder, 'phone.img')}\n" if self.image else ""
        fast = "" if "service_mode_ms_per_unit" in self.scenario else FAST_PHONE
        return fast + image + self.scenario


# ---- checks -------------------------------------------------------------------------------


def log_is(lines):
    return lambda run: [] if run.log == lines else [f"run log {run.log}, expected {lines}"]


def log_ends_with(pattern):
    def check(run):
        last = run.log[-1] if run.log else ""
        return [] if re.fullmatch(pattern, last) else [f"last run-log line {last!r}"]
    return check


def no_calls(*entry_points):
    def check(run):
        return [f"{name} was called" for name in entry_points if run.calls(name)]
    return check


def no_journal(run):
    return [f"the library was used: {run.journal[0]}"] if run.journal else []


def texts(**expected):
    """Texts of the last snapshot; a value is the exact text or a predicate."""
    def check(run):
        shot = run.last_snapshot()
        if not shot:
            return ["no snapshot"]
        problems = []
        for name, want in expected.items():
            have = shot.get(name)
            ok = want(have) if callable(want) else have == want
            if not ok:
                problems.append(f"{name}={have!r}")
        return problems
    return check


def fields_are(words):
    return texts(**dict(zip(FIELDS, words)))


def bounded(limit, empty=False):
    """A text of 1 (0 when `empty`) to `limit` characters, valid UTF-8 (no replacement character)."""
    return lambda text: (text is not None and (empty or text) and len(text) <= limit
                         and "\ufffd" not in text)


def identity_lines_bounded(run):
    identity = run.log[3:7]
    if len(identity) != 4 or any(not 0 < len(line) <= 256 for line in identity):
        return [f"identity lines of lengths {[len(line) for line in identity]}"]
    return []


def phone_block(*allowed):
    """The block 67 the simulator keeps in its image file is one of `allowed` (hex or erased)."""
    def check(run):
        try:
            with open(run.path("phone.img")) as file:
                block = [line for line in file if line.startswith("block=")][0].strip()[6:]
        except (FileNotFoundError, IndexError):
            block = DEFAULT_BLOCK_HEX  # never written: the scenario's block
        return [] if block in allowed else [f"phone block {block}, expected one of {allowed}"]
    return check


def file_holds(name, content):
    def check(run):
        try:
            with open(run.path(name), "rb") as file:
                data = file.read()
        except OSError as error:
            return [f"{name}: {error}"]
        return [] if data == content else [f"{name} holds {data.hex()}, expected {content.hex()}"]
    return check


def missing(name):
    return lambda run: [f"{name} exists"] if os.path.exists(run.path(name)) else []


def dev_full_intact(run):
    mode = os.stat("/dev/full").st_mode
    return [] if stat.S_ISCHR(mode) else ["/dev/full is no longer a device"]


def is_write_failure(message):
    """The failed write's wording is the product's own; it begins with "Error: "."""
    return message.startswith("Error: ") and message not in (INFO, SIZE, VERSION, READ, ERASE,
                                                             READ_FILE, WRITE_FILE)


def messages_among(*allowed, write_failure=False):
    def check(run):
        extra = [m for m in run.messages
                 if m not in allowed and not (write_failure and is_write_failure(m))]
        return [f"unexpected messages {extra}"] if extra else []
    return check


def messages_include(predicate, what):
    """The fault the row provokes showed at least once (the flaky timeline is seeded)."""
    return lambda run: [] if any(predicate(m) for m in run.messages) else [f"no {what} message"]


def calls_at_least(entry_point, count):
    def check(run):
        have = len(run.calls(entry_point))
        return [] if have >= count else [f"{entry_point} called {have} times, expected >= {count}"]
    return check


def pings_per_worker(count):
    """Every worker that reached the line settings pinged exactly `count` times before the next
    service-mode attempt (the last worker may have been stopped early by the close)."""
    def check(run):
        runs, current = [], None
        for line in run.journal:
            name = line.split(" ")[1] if " " in line else ""
            if name == "WComConfigure":
                current = 0
            elif name == "WPingMobile" and current is not None:
                current += 1
            elif name == "WInitServiceMode" and current is not None:
                runs.append(current)
                current = None
        if not runs:
            return ["no worker finished its pings"]
        wrong = [n for n in runs if n != count]
        return [f"pings per worker {runs}, expected {count} each"] if wrong else []
    return check


def journal_call(entry_point, arguments):
    """The first call of the entry point had exactly these arguments."""
    def check(run):
        calls = run.calls(entry_point)
        if not calls:
            return [f"{entry_point} was never called"]
        have = " ".join(calls[0].split(" ")[2:]).split(" -> ")[0]
        return [] if have == arguments else [f"{entry_point} called with {have!r}, not {arguments!r}"]
    return check


def ended_within(seconds):
    return lambda run: [] if run.seconds <= seconds else [f"took {run.seconds:.1f} s"]


def write_failure_message(run):
    if len(run.messages) != 1 or not is_write_failure(run.messages[0]):
        return [f"messages {run.messages}, expected one write failure"]
    return []


# ---- inputs -------------------------------------------------------------------------------

BLOCK_FILE = bytes(range(1, 21))
BLOCK_FILE_WORDS = ["201", "403", "605", "807", "A09", "C0B", "E0D", "100F", "1211", "1413"]
SNAP = "after 300 snapshot {dir}/snap.txt\n"


def garbage_settings():
    generator = random.Random(1234)
    return bytes(generator.randrange(256) for _ in range(65536))


def long_line_settings():
    line = b"[" + b"x" * 4998 + b"=\n"
    return line * 2100  # about 10.5 MB


def read_file_row(name, content, messages, words):
    files = {} if content is False else {"in.blk": content}
    return Row(f"Read File: {name}", scenario="present=0\n", files=files, messages=messages,
               script="dialog {dir}/in.blk\nafter 300 click Button5\n" + SNAP + "after 0 close\n",
               checks=[fields_are(words)])


def block_failure_row(name, scenario, messages, *extra_checks, clicks=("ReadButton",
                                                                       "WriteButton")):
    script = CONNECT + "".join(f"after 100 click {button}\n" for button in clicks)
    return Row(f"phone: {name}", scenario=scenario, messages=messages,
               script=script + SNAP + "after 0 close\n", checks=list(extra_checks))


ROWS = [
    # Start-up failures: exit code 1, the run-log line, no window.
    Row("library missing", library="missing", exit_code=1,
        messages=startup_box("Error: failure to load Bfb95eg.dll", "library"),
        checks=[log_is(["Using ComPort 1", "BaudRate 57600", "Error: failure to load Bfb95eg.dll"]),
                no_journal]),
    Row("entry point WComParity missing", library="no-WComParity", exit_code=1,
        messages=startup_box("Error: failure to use Bfb95eg.dll:WComParity", "library"),
        checks=[log_is(["Using ComPort 1", "BaudRate 57600",
                        "Error: failure to use Bfb95eg.dll:WComParity"]), no_journal]),
    Row("two entry points missing: first named", library="no-WComParity-WPingMobile",
        exit_code=1, checks=[log_ends_with(r"Error: failure to use Bfb95eg\.dll:WPingMobile")]),
    Row("port cannot be opened", exit_code=1,
        scenario="open_error_code=2\nopen_error_text=Port COM1 is busy\n",
        messages=startup_box("BFB-Error: Port COM1 is busy (2)", "port"),
        checks=[log_ends_with(r"BFB-Error: Port COM1 is busy \(2\)"),
                no_calls("WComClose", "WComStartDebugging", "WInitServiceMode")]),
    Row("port error text unterminated", exit_code=1,
        scenario="open_error_code=7\nerror_text_unterminated=1\n",
        checks=[log_ends_with(r"BFB-Error: [^\x00]{0,256} \(7\)")]),
    Row("run log cannot be opened", exit_code=1,
        settings=b"[Debug]\nLogFile=none/out.log\n",
        messages=startup_box('Error: cannot open the run log "none/out.log": No such file or '
                             'directory', "run log"),
        checks=[no_journal, missing("none")]),
    Row("trace file cannot be created", messages=[],
        settings=b"[Common]\nSensorsUpdateDelay=1\n[Debug]\nDoTrace=Yes\nTraceFile=none/t.log\n",
        checks=[calls_at_least("WComStartDebugging", 1),
                lambda run: [] if len(run.journal) > 1 and " WComSopDebugging " in run.journal[-2]
                else ["the trace is not stopped right before WComClose"]]),
    # Texts the library returns without a terminator, or longer than the window holds.
    Row("identity texts unterminated", scenario="identity_unterminated=1\n",
        checks=[identity_lines_bounded]),
    Row("record texts unterminated", scenario="mobile_info_unterminated=1\n",
        script=CONNECT + SNAP + "after 0 close\n", messages=[],
        checks=[texts(LanguageGroupStText=bounded(16), ProductNameStText=bounded(19)),
                fields_are(DEFAULT_WORDS)]),
    Row("sensor values NaN, infinite, 1e300, 5e249",
        scenario="vbatt_middle=nan\nvbatt_max=inf\nvbatt_min=-inf\nbatt_temp=1e300\n"
                 "env_temp=5e249\nvcxo_temp=-1e300\n",
        script=CONNECT + "after 2200 snapshot {dir}/snap.txt\nafter 0 close\n", messages=[],
        checks=[texts(**{name: bounded(255) for name in SENSOR_TEXTS})]),
    Row("model name of 300 characters", scenario="supported_mobiles=28:" + "M" * 300 + "\n",
        script=CONNECT + SNAP + "after 0 close\n", messages=[],
        checks=[texts(DescriptionStText=lambda t: bounded(256)(t) and t.startswith("28, MMM"))]),
    Row("hardware id not in the list", scenario="hardware_id=99\n",
        script=CONNECT + SNAP + "after 0 close\n", messages=[],
        checks=[texts(DescriptionStText=lambda t: t in ("", "--") or t.startswith("99")),
                fields_are(DEFAULT_WORDS)]),
    Row("identification reads fail",
        scenario="fail.WGetHardwareIdentification=1\nfail.WGetMobileInformation=1\n"
                 "fail.WGetFlashSerialNumber=1\n",
        script=CONNECT + SNAP + "after 0 close\n", messages=[],
        checks=[texts(MobileSWVerStText=lambda t: re.fullmatch(r"[0-9a-f]{1,2}|--", t or "x"),
                      MobileHWIdStText=lambda t: re.fullmatch(r"0x[0-9a-f]{1,8}|0|--", t or "x"),
                      LanguageGroupStText=lambda t: t in ("", "--"),
                      ProductNameStText=lambda t: t in ("", "--"),
                      DescriptionStText=bounded(256)),
                fields_are(DEFAULT_WORDS)]),
    # The phone going away.
    Row("phone that never answers a ping", scenario="pings_before_answer=never\n",
        script="after 7000 close\n", messages=[],
        checks=[pings_per_worker(5), no_calls("WGetHardwareIdentification")]),
    Row("phone lost between ticks", scenario="pings_after_connect=1\n",
        script=CONNECT + "after 3200 snapshot {dir}/snap.txt\nafter 0 close\n", messages=[],
        checks=[texts(**{name: "--" for name in PHONE_TEXTS},
                      **{"ReadButton.enabled": "0", "WriteButton.enabled": "0"},
                      ActiveLabel=lambda t: t.endswith("(hidden)"))]),
    Row("phone lost and back", scenario="pings_after_connect=1\ngone_for_ms=800\n",
        script="after 7000 close\n", messages=[],
        checks=[calls_at_least("WGetFlashSerialNumber", 2)]),
    Row("phone lost during the identification",
        scenario="flaky_seed=7\nflaky_mean_up_ms=500\nflaky_mean_down_ms=300\n"
                 "latency.WGetHardwareIdentification=150\nlatency.WGetMobileInformation=150\n"
                 "latency.WGetFlashSerialNumber=150\n",
        script="after 6000 snapshot {dir}/snap.txt\nafter 0 close\n",
        checks=[messages_among(INFO, READ),
                texts(**{name: bounded(256, empty=True) for name in PHONE_TEXTS[:5]})]),
    Row("phone lost during a block read",
        scenario="flaky_seed=11\nflaky_mean_up_ms=1500\nflaky_mean_down_ms=500\n"
                 "latency.WReadEeliteBlock=900\n",
        script="".join("after 300 click ReadButton\n" for _ in range(12)) + "after 0 close\n",
        checks=[messages_among(INFO, READ),
                messages_include(lambda m: m == READ, "block read failure")]),
    Row("phone lost during a write after the erase",
        scenario="flaky_seed=5\nflaky_mean_up_ms=1500\nflaky_mean_down_ms=500\n"
                 "latency.WWriteEeliteBlock=900\n",
        script=CONNECT + "after 0 set Edit1 ABCD\n"
               + "".join("after 300 click WriteButton\n" for _ in range(16)) + "after 0 close\n",
        checks=[messages_among(INFO, READ, ERASE, write_failure=True),
                messages_include(is_write_failure, "write failure"),
                phone_block(DEFAULT_BLOCK_HEX, "erased", "cdab" + DEFAULT_BLOCK_HEX[4:])]),
    Row("close while a service-mode attempt runs",
        scenario="present=0\nservice_mode_ms_per_unit=100\n",
        script="after 2500 close\n", messages=[], checks=[ended_within(6)]),
    Row("SIGTERM while connected", script=CONNECT, signals=[(2.5, signal.SIGTERM)], messages=[]),
    Row("SIGHUP while connected (the terminal went away)", script=CONNECT,
        signals=[(2.5, signal.SIGHUP)], messages=[]),
    Row("SIGINT, then SIGHUP, during a service-mode attempt",
        scenario="present=0\nservice_mode_ms_per_unit=100\n", script="",
        signals=[(2.0, signal.SIGINT), (2.2, signal.SIGHUP)], messages=[],
        checks=[ended_within(6), calls_at_least("WInitServiceMode", 1)]),
    Row("clicks during the identification",
        scenario="latency.WGetMobileInformation=1200\nlatency.WGetFlashSerialNumber=400\n",
        script="after 1100 click ReadButton\n"
               + "".join("after 150 click ReadButton\nafter 50 click WriteButton\n"
                         for _ in range(10)) + "after 500 close\n",
        checks=[messages_among()]),
    # Each failure of a block transfer: message, run-log line (common check), phone untouched.
    block_failure_row("version read fails", "fail.WGiveEeliteBlockVersionAndSize=1\n",
                      [INFO] * 3, no_calls("WReadEeliteBlock", "WDeleteEeliteDataBlock"),
                      fields_are(["0"] * 10)),
    block_failure_row("block size 24", "block_size=24\n", [SIZE] * 3,
                      no_calls("WReadEeliteBlock", "WDeleteEeliteDataBlock"), fields_are(["0"] * 10)),
    block_failure_row("block version 2", "block_version=2\n", [VERSION] * 3,
                      no_calls("WReadEeliteBlock", "WDeleteEeliteDataBlock")),
    block_failure_row("size 24 and version 2", "block_size=24\nblock_version=2\n", [SIZE] * 3),
    block_failure_row("block read fails", "fail.WReadEeliteBlock=1\n", [READ] * 2,
                      fields_are(["0"] * 10), clicks=("ReadButton",)),
    block_failure_row("erase fails", "fail.WDeleteEeliteDataBlock=1\n", [ERASE],
                      no_calls("WWriteEeliteBlock"), phone_block(DEFAULT_BLOCK_HEX),
                      clicks=("WriteButton",)),
    block_failure_row("write fails after the erase", "fail.WWriteEeliteBlock=1\n", None,
                      write_failure_message, phone_block(DEFAULT_BLOCK_HEX, "erased"),
                      fields_are(DEFAULT_WORDS), clicks=("WriteButton",)),
    Row("edited block written and read back", messages=[],
        script=CONNECT + "after 0 set Edit1 1c4a\nafter 0 set Edit10 ffff\n"
               "after 0 click WriteButton\nafter 0 set Edit1 0\nafter 0 click ReadButton\n"
               + SNAP + "after 0 close\n",
        checks=[phone_block("4a1c" + DEFAULT_BLOCK_HEX[4:36] + "ffff"),
                texts(Edit1="1C4A", Edit10="FFFF")]),
    # Typing mistakes in the editor never reach the phone or a file.
    Row("typing mistakes refused before Write Phone",
        messages=[refusal(("0004:", "xyz"), ("0012:", "-1"))],
        script=CONNECT + "after 0 set Edit3 xyz\nafter 0 set Edit10 -1\n"
               "after 0 click WriteButton\n" + SNAP + "after 0 close\n",
        checks=[phone_block(DEFAULT_BLOCK_HEX), no_calls("WDeleteEeliteDataBlock",
                                                         "WWriteEeliteBlock"),
                texts(Edit3="xyz", Edit10="-1", Edit1=DEFAULT_WORDS[0])]),
    Row("typing mistake refused before Write File", scenario="present=0\n",
        files={"out.blk": b"\x55" * 20}, messages=[refusal(("0000:", "12G4"))],
        script="dialog {dir}/out.blk\nafter 300 set Edit1 12G4\nafter 0 click WriteFileButton\n"
               + SNAP + "after 0 close\n",
        checks=[file_holds("out.blk", b"\x55" * 20), texts(Edit1="12G4")]),
    # Block files, with no phone.
    read_file_row("20 bytes", BLOCK_FILE, [], BLOCK_FILE_WORDS),
    read_file_row("25 bytes", BLOCK_FILE + b"\xff" * 5, [], BLOCK_FILE_WORDS),
    read_file_row("19 bytes", BLOCK_FILE[:19], [READ_FILE], ["0"] * 10),
    read_file_row("empty", b"", [READ_FILE], ["0"] * 10),
    read_file_row("missing", False, [READ_FILE], ["0"] * 10),
    read_file_row("a folder (unreadable)", None, [READ_FILE], ["0"] * 10),
    Row("Write File: /dev/full", scenario="present=0\n", messages=[WRITE_FILE],
        script="dialog /dev/full\nafter 300 click WriteFileButton\nafter 0 close\n",
        checks=[dev_full_intact]),
    Row("Write File: missing folder", scenario="present=0\n", messages=[WRITE_FILE],
        script="dialog {dir}/none/out.blk\nafter 300 click WriteFileButton\nafter 0 close\n",
        checks=[missing("none")]),
    Row("Write File: over a longer file", scenario="present=0\n", messages=[],
        files={"out.blk": b"\x55" * 100},
        script="dialog {dir}/out.blk\nafter 300 set Edit2 0x1a\nafter 0 click WriteFileButton\n"
               "after 0 close\n",
        checks=[file_holds("out.blk", bytes(2) + b"\x1a" + bytes(17))]),
    Row("file dialogs cancelled", scenario="present=0\n", messages=[],
        files={"out.blk": b"\x55" * 3},
        script="dialog cancel\ndialog cancel\nafter 300 click Button5\n"
               "after 0 click WriteFileButton\n" + SNAP + "after 0 close\n",
        checks=[file_holds("out.blk", b"\x55" * 3), fields_are(["0"] * 10)]),
    # The driver itself: a script it cannot follow ends the run at once instead of idling.
    Row("test driver: bad script line", script="after soon click ReadButton\n", messages=[],
        checks=[ended_within(5),
                lambda run: [] if "script line 1" in run.stderr else ["no script error shown"]]),
    # Settings files that are no settings files.
    Row("settings keys in other capitals are not found",
        settings=b"[Common]\ncomnumber=3\nBaudrate=9600\nSensorsUpdateDelay=1\n", messages=[],
        checks=[lambda run: [] if run.log[:2] == ["Using ComPort 1", "BaudRate 57600"]
                else [f"run log begins {run.log[:2]}"], journal_call("WComOpen", "0 57600")]),
    Row("settings file of binary garbage", settings=garbage_settings(), messages=[],
        checks=[lambda run: [] if run.log[:2] == ["Using ComPort 1", "BaudRate 57600"]
                else [f"run log begins {run.log[:2]}"]]),
    Row("settings file of 10 MB long lines", settings=long_line_settings(), messages=[],
        checks=[lambda run: [] if run.log[:2] == ["Using ComPort 1", "BaudRate 57600"]
                else [f"run log begins {run.log[:2]}"], ended_within(12)]),
]

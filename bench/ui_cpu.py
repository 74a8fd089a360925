"""The UI thread's CPU time, read through the program's test message, for the benchmarks."""
import time

import kivo


def ui_cpu_ms():
    after = len(kivo.read_log())
    kivo.kivoctl("send", kivo.MAIN_TEST_CLASS, 0x8004, 3, 0)
    return float(kivo.wait_for_log(r"^ui_cpu_ms=([\d.]+)$", 10, after).group(1))


def ui_share(seconds):
    """Percent of one core the UI thread used over `seconds`."""
    before, t0 = ui_cpu_ms(), time.monotonic()
    time.sleep(seconds)
    return (ui_cpu_ms() - before) / (time.monotonic() - t0) / 10

"""A private desktop for screen-reader tests: an X server that picks its own display, a window manager,
a session bus and the accessibility bus with its registry, all stopped again at the end."""

import os
import shutil
import signal
import subprocess
import tempfile
import time


def _wait_for(predicate, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.05)
    raise TimeoutError(f"{what} did not happen within {seconds} s")


class Desktop:
    """Starts what a screen reader needs; `env` is the environment for programs on this desktop."""

    def __init__(self):
        self.processes = []
        self.runtime = tempfile.mkdtemp(prefix="handvise-atspi-")
        os.chmod(self.runtime, 0o700)
        self.env = dict(os.environ)
        for name in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "SESSION_MANAGER"):
            self.env.pop(name, None)
        self.env.update(XDG_RUNTIME_DIR=self.runtime, XDG_CONFIG_HOME=os.path.join(self.runtime, "config"),
                        HOME=self.runtime, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                        NO_AT_BRIDGE="0", GTK_MODULES="")

    def __enter__(self):
        try:
            self._start_x()
            self._start(["openbox", "--sm-disable"])
            self._start_session_bus()
            self._start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
            self._start(["/usr/libexec/at-spi2-registryd", "--use-gnome-session=false"])
            self._wait_for_registry()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def _start(self, command, **options):
        process = subprocess.Popen(command, env=self.env, stdin=subprocess.DEVNULL,
                                   stdout=options.pop("stdout", subprocess.DEVNULL),
                                   stderr=subprocess.DEVNULL, **options)
        self.processes.append(process)
        return process

    def _start_x(self):
        read_end, write_end = os.pipe()
        self._start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                     "-noreset"], pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as answer:
            display = answer.readline().strip()
        if not display:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + display

    def _start_session_bus(self):
        bus = self._start(["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
                          stdout=subprocess.PIPE, text=True)
        address = bus.stdout.readline().strip()
        if not address:
            raise RuntimeError("the session bus did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def _wait_for_registry(self):
        def registered():
            answer = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                                     "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                                    env=self.env, capture_output=True, text=True)
            return answer.returncode == 0
        _wait_for(registered, 10, "the accessibility bus")

    def run(self, command, seconds=10):
        """Runs a tool on this desktop (xdotool) and returns its output."""
        return subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=seconds,
                              check=True).stdout

    def start_program(self, path):
        return self._start([path])

    def stop_program(self, process):
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


wait_for = _wait_for

"""Listens where display servers listen, takes every connection and never says a word.

    silent_listener.py READY_FILE UNIX_PATH...

Listens on a loopback port, on the Unix socket of an X display number from 90 up that it takes
as X servers take one (its lock file made exclusively, holding this process's id, so that no
server or other listener starting at the same moment takes it too), and on each UNIX_PATH.
Once every listener is ready it writes "PORT NUMBER" to READY_FILE, whole or not at all. Runs
until ended by its process id, and on SIGTERM removes the display's lock file and socket.
"""
import os
import signal
import socket
import sys
import time

X_SOCKETS = "/tmp/.X11-unix"


def take_display_number(taken):
    """The X display number taken, also noted in `taken` as soon as its lock is made, and its
    listening socket."""
    os.makedirs(X_SOCKETS, mode=0o1777, exist_ok=True)
    for number in range(90, 1000):
        lock = f"/tmp/.X{number}-lock"
        try:
            descriptor = os.open(lock, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o444)
        except FileExistsError:
            continue
        taken.append(number)
        with os.fdopen(descriptor, "w", encoding="ascii") as lock_file:
            lock_file.write(f"{os.getpid():10d}\n")
        listener = socket.socket(socket.AF_UNIX)
        try:
            listener.bind(f"{X_SOCKETS}/X{number}")
        except OSError:  # a socket left behind by a server that is gone: not ours to remove
            listener.close()
            os.unlink(lock)
            taken.remove(number)
            continue
        return number, listener
    sys.exit("no free X display number from 90 to 999")


def main():
    taken = []

    def release(*_):
        for number in taken:
            for path in (f"{X_SOCKETS}/X{number}", f"/tmp/.X{number}-lock"):
                try:
                    os.unlink(path)
                except FileNotFoundError:
                    pass
        os._exit(0)

    # Set before the number is taken: an end that comes while it is being taken still frees it.
    signal.signal(signal.SIGTERM, release)
    port = socket.socket()
    port.bind(("127.0.0.1", 0))
    number, display = take_display_number(taken)
    listeners = [port, display]
    for path in sys.argv[2:]:
        unix = socket.socket(socket.AF_UNIX)
        unix.bind(path)
        listeners.append(unix)
    for listener in listeners:
        listener.listen()
        listener.setblocking(False)
    ready = sys.argv[1] + ".part"
    with open(ready, "w", encoding="ascii") as ready_file:
        ready_file.write(f"{port.getsockname()[1]} {number}\n")
    os.rename(ready, sys.argv[1])
    held = []
    while True:
        for listener in listeners:
            try:
                held.append(listener.accept()[0])
            except BlockingIOError:
                pass
        time.sleep(0.05)


if __name__ == "__main__":
    main()

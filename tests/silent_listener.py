"""Listens where display servers listen, takes every connection and never says a word.

    silent_listener.py PORT_FILE UNIX_PATH...

Listens on a loopback port, written to PORT_FILE once every listener is ready, and on each
UNIX_PATH. Runs until ended by its process id.
"""
import socket
import sys
import time


def main():
    port = socket.socket()
    port.bind(("127.0.0.1", 0))
    port.listen()
    listeners = [port]
    for path in sys.argv[2:]:
        unix = socket.socket(socket.AF_UNIX)
        unix.bind(path)
        unix.listen()
        listeners.append(unix)
    for listener in listeners:
        listener.setblocking(False)
    with open(sys.argv[1], "w", encoding="ascii") as port_file:
        port_file.write(str(port.getsockname()[1]))
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

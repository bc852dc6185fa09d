#!/usr/bin/env python3
"""An X display that refuses its first connections, then passes the rest on
to a real server: what a game sees of an X server that is starting or
resetting. Each refused connection is accepted and closed at once, so the
client's greeting gets no answer.
Usage: refusing-display.py SOCKET REAL_SOCKET REFUSALS LOG
REFUSALS is how many connections to refuse; -1 refuses every one. LOG gets
a line "refused" or "passed" for each connection."""
import os
import signal
import socket
import sys
import threading


def pipe(source, sink):
    try:
        while True:
            data = source.recv(65536)
            if not data:
                break
            sink.sendall(data)
    except OSError:
        pass
    for end in (source, sink):
        try:
            end.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def main():
    path, real, refusals, log = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    listener.bind(path)
    listener.listen(16)
    with open(log, "a", buffering=1) as out:
        out.write("listening\n")
        while True:
            client, _ = listener.accept()
            if refusals != 0:
                refusals -= refusals > 0
                client.close()
                out.write("refused\n")
                continue
            server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
            server.connect(real)
            out.write("passed\n")
            for a, b in ((client, server), (server, client)):
                threading.Thread(target=pipe, args=(a, b), daemon=True).start()


if __name__ == "__main__":
    # Ended by the test: still take the socket away.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    try:
        main()
    finally:
        if os.path.exists(sys.argv[1]):
            os.unlink(sys.argv[1])

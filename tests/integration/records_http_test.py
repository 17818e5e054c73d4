#!/usr/bin/env python3
"""The records server against what the open internet sends, on loopback: slow clients, huge
heads, pipelined and smuggled requests, too many connections from one address, and a stop
while clients hang on. Each case fails on a server that holds one thread per connection.
    records_http_test.py RECORDS
"""
import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

records_bin = sys.argv[1]
work = tempfile.mkdtemp()
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def start(*args):
    log = open(os.path.join(work, "records.log"), "w+")
    server = subprocess.Popen([records_bin, "--listen", "127.0.0.1:0",
                               "--db", os.path.join(work, "r.sqlite"), *args],
                              stderr=log)
    for _ in range(100):
        log.seek(0)
        found = re.search(r"serving on 127\.0\.0\.1:(\d+)", log.read())
        if found:
            return server, int(found.group(1))
        time.sleep(0.1)
    sys.exit("FAIL: the server did not start")


def connect(port, source="127.0.0.1", timeout=5):
    sock = socket.socket()
    sock.settimeout(timeout)
    sock.bind((source, 0))
    sock.connect(("127.0.0.1", port))
    return sock


def read_all(sock):
    data = b""
    try:
        while True:
            part = sock.recv(65536)
            if not part:
                break
            data += part
    except (socket.timeout, ConnectionResetError):
        pass
    return data


def statuses(data):
    return [int(s) for s in re.findall(rb"^HTTP/1\.1 (\d{3})", data, re.M)]


def ask(port, request, source="127.0.0.1"):
    sock = connect(port, source)
    sock.sendall(request)
    data = read_all(sock)
    sock.close()
    return data


def trickle(port, source, stop):
    """Sends a request head a byte every second, never finishing it."""
    try:
        sock = connect(port, source, timeout=1)
        sock.sendall(b"GET / HTTP/1.1\r\n")
        while not stop.is_set():
            sock.sendall(b"X")
            stop.wait(1)
    except OSError:
        pass


server, port = start("--max-per-address", "5")
try:
    # Slow clients from 40 addresses, 5 each: the old server had 64 threads to give them.
    stop = threading.Event()
    slow = [threading.Thread(target=trickle, args=(port, f"127.0.1.{n // 5 + 1}", stop))
            for n in range(200)]
    for t in slow:
        t.start()
    time.sleep(1.5)
    live = ask(port, b"GET /healthz?live HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
    check(statuses(live) == [200], "a client is answered while 200 slow ones trickle")

    sixth = connect(port, "127.0.1.1")
    sixth.sendall(b"GET /healthz?live HTTP/1.1\r\nHost: x\r\n\r\n")
    check(read_all(sixth) == b"", "a sixth connection from one address is closed unanswered")

    slow_one = connect(port, "127.0.2.1", timeout=15)
    slow_one.sendall(b"GET / HTTP/1.1\r\n")
    started = time.monotonic()
    for _ in range(14):
        try:
            slow_one.sendall(b"X")
        except OSError:
            break
        time.sleep(1)
    cut = time.monotonic() - started
    check(cut < 12, f"a head trickled a byte a second is cut off after its deadline ({cut:.0f} s)")
    stop.set()
    for t in slow:
        t.join()

    head = b"GET /healthz?live HTTP/1.1\r\nHost: x\r\n"
    big = ask(port, head + b"X-Pad: " + b"a" * 17000 + b"\r\n\r\n")
    check(statuses(big) == [431], "a head over 16 KB is answered 431")
    lines = ask(port, head + b"".join(b"X-%d: 1\r\n" % i for i in range(100)) + b"\r\n")
    check(statuses(lines) == [431], "a head of over 100 lines is answered 431")

    two = ask(port, b"GET /healthz?live HTTP/1.1\r\nHost: x\r\n\r\n"
                    b"GET /nowhere HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
    check(statuses(two) == [200, 404], f"pipelined requests are answered in order {statuses(two)}")

    inner = b"GET /nowhere HTTP/1.1\r\nHost: x\r\n\r\n"
    smuggled = ask(port, b"POST / HTTP/1.1\r\nHost: x\r\nContent-Length: %d\r\n\r\n" % len(inner)
                   + inner + b"GET /healthz?live HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
    check(statuses(smuggled) == [405, 200], f"a body is never taken as a request {statuses(smuggled)}")
    large = ask(port, b"POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 300000\r\n\r\n" + b"a" * 1000)
    check(statuses(large) == [413], "a body over 256 KB is answered 413")

    listening = subprocess.run(["ss", "-Hltn", f"sport = :{port}"], capture_output=True, text=True)
    backlog = listening.stdout.split()[2] if listening.stdout.split() else "?"
    check(backlog == "1024", f"the listen backlog is 1024 ({backlog})")

    # A stop while 40 connections sit idle and 40 trickle: over within 5 s.
    stop = threading.Event()
    hangers = [threading.Thread(target=trickle, args=(port, f"127.0.3.{n // 5 + 1}", stop))
               for n in range(40)]
    idle = [connect(port, f"127.0.4.{n // 5 + 1}") for n in range(40)]
    for t in hangers:
        t.start()
    time.sleep(1)
    started = time.monotonic()
    server.send_signal(signal.SIGTERM)
    try:
        status = server.wait(timeout=15)
    except subprocess.TimeoutExpired:
        status = None
    took = time.monotonic() - started
    check(status == 0 and took < 5.5, f"SIGTERM ends the server cleanly ({status}, {took:.1f} s)")
    stop.set()
    for t in hangers:
        t.join()
    for s in idle:
        s.close()
finally:
    if server.poll() is None:
        server.kill()
        server.wait()

if failures:
    print(open(os.path.join(work, "records.log")).read()[-3000:], file=sys.stderr)
    sys.exit(1)

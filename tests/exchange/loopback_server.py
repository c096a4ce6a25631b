#!/usr/bin/python3
"""HTTP server on loopback for the exchange tests.

Serves the files of --root, answers 404 for what is not there, and has a few special paths:
  /empty    200 with an empty body
  /stall    200, announces 1000 bytes, sends 10 and then nothing
  /silent   reads the request and never answers
Every request is appended to --log as one JSON line: the request line's target exactly as sent,
the peer address and the Via header. Binds a free port and writes it to --port-file.
"""
import argparse
import http.server
import json
import os
import threading
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--port-file", required=True)
    args = parser.parse_args()
    lock = threading.Lock()

    class Handler(http.server.SimpleHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def __init__(self, *a, **kw):
            super().__init__(*a, directory=args.root, **kw)

        def log_message(self, *a):
            pass

        def record(self):
            parts = self.requestline.split(" ")
            entry = {"target": parts[1] if len(parts) > 1 else "",
                     "peer": self.client_address[0],
                     "via": self.headers.get("Via", "")}
            with lock, open(args.log, "a", encoding="utf-8") as f:
                f.write(json.dumps(entry) + "\n")

        def do_GET(self):
            self.record()
            if self.path == "/empty":
                self.send_response(200)
                self.send_header("Content-Length", "0")
                self.end_headers()
            elif self.path == "/stall":
                self.send_response(200)
                self.send_header("Content-Length", "1000")
                self.end_headers()
                self.wfile.write(b"0123456789")
                self.wfile.flush()
                time.sleep(30)
            elif self.path == "/silent":
                time.sleep(30)
            else:
                super().do_GET()

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    tmp = args.port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(tmp, args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()

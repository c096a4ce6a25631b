#!/usr/bin/python3
"""A loopback HTTP server that misbehaves on request, for the bad-input matrix.

usage: hostile_server.py --root DIR --port-file FILE
Serves the files of DIR. DIR/behaviour.json (read on every request) maps a request path to
what to do instead: {"status": 500}, {"redirect": URL}, {"cut": N} (announce the whole file,
send N bytes, close). Every request path is appended to DIR/requests.log, one per line.
"""
import argparse
import http.server
import json
import os
import socketserver


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--port-file", required=True)
    args = parser.parse_args()
    root = args.root

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *a):
            pass

        def do_GET(self):
            with open(os.path.join(root, "requests.log"), "a", encoding="utf-8") as f:
                f.write(self.path + "\n")
            try:
                with open(os.path.join(root, "behaviour.json"), encoding="utf-8") as f:
                    behaviour = json.load(f).get(self.path, {})
            except (OSError, ValueError):
                behaviour = {}
            if "status" in behaviour:
                body = b"Internal Server Error"
                self.send_response(behaviour["status"])
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
                return
            if "redirect" in behaviour:
                self.send_response(302)
                self.send_header("Location", behaviour["redirect"])
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            local = os.path.join(root, self.path.lstrip("/"))
            if not os.path.isfile(local):
                self.send_response(404)
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            with open(local, "rb") as f:
                data = f.read()
            self.send_response(200)
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            if "cut" in behaviour:
                self.wfile.write(data[: behaviour["cut"]])
                self.wfile.flush()
                self.close_connection = True
                return
            self.wfile.write(data)

    class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
        daemon_threads = True

    server = Server(("127.0.0.1", 0), Handler)
    with open(args.port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(args.port_file + ".tmp", args.port_file)
    server.serve_forever()


main()

#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A web server on 127.0.0.1 for the fetch tests, serving bad answers on
purpose. It prints the port it listens on, then serves until killed.

  /site/V/NAME     the file NAME of the folder given as --site V=FOLDER
  /slow/V/NAME     the same, runways.csv after a pause of a second
  /trickle/NAME    a body of two bytes a second that never ends
  /endless/NAME    a body that never ends, as fast as it can
  /big/NAME        a body of 8 MiB, with its length said
  /loop/NAME       a redirect to itself
  /tofile/NAME     a redirect to file:///etc/passwd

usage: http_server.py [--site V=FOLDER]...
"""
import http.server
import os
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    sites = {}

    def log_message(self, *args):
        pass

    def redirect(self, location):
        self.send_response(302)
        self.send_header("Location", location)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def body_forever(self, chunk, pause):
        self.send_response(200)
        self.end_headers()
        while True:
            self.wfile.write(chunk)
            self.wfile.flush()
            time.sleep(pause)

    def do_GET(self):
        parts = self.path.strip("/").split("/")
        try:
            if parts[0] in ("site", "slow") and len(parts) == 3:
                if parts[0] == "slow" and parts[2] == "runways.csv":
                    time.sleep(1)
                with open(os.path.join(self.sites[parts[1]], parts[2]), "rb") as f:
                    data = f.read()
                self.send_response(200)
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)
            elif parts[0] == "trickle":
                self.body_forever(b"ab", 1)
            elif parts[0] == "endless":
                self.body_forever(b"x" * 65536, 0)
            elif parts[0] == "big":
                size = 8 * 1024 * 1024
                self.send_response(200)
                self.send_header("Content-Length", str(size))
                self.end_headers()
                self.wfile.write(b"y" * size)
            elif parts[0] == "loop":
                self.redirect(self.path)
            elif parts[0] == "tofile":
                self.redirect("file:///etc/passwd")
            else:
                self.send_error(404)
        except (BrokenPipeError, ConnectionResetError):
            pass


def main():
    args = sys.argv[1:]
    while args and args[0] == "--site":
        name, folder = args[1].split("=", 1)
        Handler.sites[name] = folder
        args = args[2:]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""A web server on loopback for the web request tests.

Prints "port N" once it listens on 127.0.0.1, then serves until killed.
With --tls CERT KEY it speaks HTTPS with that certificate.

  /hello            200 "hello"
  /bytes            200, every byte value 0..255 once
  /redirect/N       N redirects, then 200 "arrived"
  /loop             a redirect to itself, for ever
  /missing          404 "not here"
  /stall            accepts, then answers nothing for 60 s
  /size/N           200 with Content-Length N and N bytes
  /stream/N         200, N bytes, no Content-Length (the close ends it)
  /to?URL           a redirect to URL

With --files DIR any other path is a file of DIR (the browser check's page),
so the page and the answers above share one origin.
"""
import argparse
import http.server
import mimetypes
import os
import ssl
import sys
import threading
import time
import urllib.parse

CHUNK = 64 * 1024
FILES = None


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def answer(self, code, body, headers=()):
        self.send_response(code)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def redirect(self, location):
        self.answer(302, b"moved", [("Location", location)])

    def send_bytes(self, count, announce):
        self.send_response(200)
        if announce:
            self.send_header("Content-Length", str(count))
        self.end_headers()
        block = b"a" * CHUNK
        sent = 0
        try:
            while sent < count:
                piece = min(CHUNK, count - sent)
                self.wfile.write(block[:piece])
                sent += piece
        except (BrokenPipeError, ConnectionResetError):
            pass

    def do_GET(self):
        path, _, query = self.path.partition("?")
        parts = path.strip("/").split("/")
        if path == "/hello":
            self.answer(200, b"hello")
        elif path == "/bytes":
            self.answer(200, bytes(range(256)))
        elif parts[0] == "redirect" and len(parts) == 2:
            left = int(parts[1])
            if left > 0:
                self.redirect("/redirect/%d" % (left - 1))
            else:
                self.answer(200, b"arrived")
        elif path == "/loop":
            self.redirect("/loop")
        elif path == "/stall":
            time.sleep(60)
        elif parts[0] in ("size", "stream") and len(parts) == 2:
            self.send_bytes(int(parts[1]), parts[0] == "size")
        elif path == "/to":
            self.redirect(urllib.parse.unquote(query))
        elif FILES and self.serve_file(path):
            pass
        else:
            self.answer(404, b"not here")

    def serve_file(self, path):
        name = os.path.normpath(path.lstrip("/") or "index.html")
        full = os.path.join(FILES, name)
        if name.startswith("..") or not os.path.isfile(full):
            return False
        with open(full, "rb") as f:
            body = f.read()
        kind = "application/wasm" if name.endswith(".wasm") else mimetypes.guess_type(name)[0]
        self.answer(200, body, [("Content-Type", kind or "application/octet-stream")])
        return True


def leave_with_parent():
    """Ends the server when the test that started it is gone, however it ended."""
    parent = os.getppid()
    while os.getppid() == parent:
        time.sleep(0.5)
    os._exit(0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"))
    parser.add_argument("--files")
    args = parser.parse_args()
    global FILES
    FILES = args.files
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    if args.tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.tls[0], args.tls[1])
        server.socket = context.wrap_socket(server.socket, server_side=True)
    threading.Thread(target=leave_with_parent, daemon=True).start()
    print("port %d" % server.server_address[1])
    print("ready", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())

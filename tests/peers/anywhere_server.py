#!/usr/bin/env python3
"""An online alarm storage on loopback for the peer tests: Submit.php stores a list, Retrieve.php
returns it.

Usage: anywhere_server.py FOLDER USER PASS [PORT]. It binds 127.0.0.1 (on PORT, or on a free port),
prints the port on a line of its own and serves until it is stopped. One account exists: USER with
the password digest PASS; any other pair is answered "Invalid credentials".

FOLDER/stored is the stored list: its date, CR LF, and the collection file's text, as Retrieve.php
answers it (the test may write it before the server starts). Each post accepted replaces it, and
its raw body is kept in FOLDER/post.
"""
import os
import sys
from http.server import BaseHTTPRequestHandler, HTTPServer
from urllib.parse import unquote_to_bytes, urlsplit

FOLDER, USER, PASS = sys.argv[1], sys.argv[2].encode(), sys.argv[3].encode()
PORT = int(sys.argv[4]) if len(sys.argv) > 4 else 0


def form_fields(encoded):
    """The fields of an application/x-www-form-urlencoded text, as bytes."""
    fields = {}
    for pair in encoded.split(b"&"):
        name, _, value = pair.partition(b"=")
        fields[unquote_to_bytes(name.replace(b"+", b" "))] = unquote_to_bytes(value.replace(b"+", b" "))
    return fields


def write(name, data):
    temporary = os.path.join(FOLDER, name + ".tmp")
    with open(temporary, "wb") as f:
        f.write(data)
    os.replace(temporary, os.path.join(FOLDER, name))


class Storage(BaseHTTPRequestHandler):
    def answer(self, body):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        address = urlsplit(self.path)
        if address.path != "/Retrieve.php":
            self.send_error(404)
            return
        fields = form_fields(address.query.encode())
        if fields.get(b"user") != USER or fields.get(b"pass") != PASS:
            self.answer(b"Invalid credentials")
            return
        try:
            with open(os.path.join(FOLDER, "stored"), "rb") as f:
                self.answer(f.read())
        except FileNotFoundError:
            self.answer(b"")

    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        if urlsplit(self.path).path != "/Submit.php":
            self.send_error(404)
            return
        fields = form_fields(body)
        if fields.get(b"user") != USER or fields.get(b"pass") != PASS:
            self.answer(b"Invalid credentials")
            return
        write("stored", fields.get(b"date", b"") + b"\r\n" + fields.get(b"data", b""))
        write("post", body)
        self.answer(b"Stored")

    def log_message(self, *args):
        pass


server = HTTPServer(("127.0.0.1", PORT), Storage)
print(server.server_address[1], flush=True)
server.serve_forever()

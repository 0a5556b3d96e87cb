#!/usr/bin/env python3
"""HTTPS server on 127.0.0.1 with a freshly made self-signed certificate.

Prints its port on the first line, then answers every request with 200 until killed.
A client that verifies certificates must refuse it."""
import http.server
import pathlib
import ssl
import subprocess
import sys
import tempfile

folder = pathlib.Path(tempfile.mkdtemp())
key, cert = folder / "key.pem", folder / "cert.pem"
subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                "-keyout", str(key), "-out", str(cert)], check=True, capture_output=True)


class Accepting(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        self.rfile.read(int(self.headers.get("Content-Length", 0)))
        self.send_response(200)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Accepting)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(cert, key)
server.socket = context.wrap_socket(server.socket, server_side=True)
print(server.server_address[1], flush=True)
sys.stdout.close()
server.serve_forever()

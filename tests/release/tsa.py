#!/usr/bin/env python3
"""A time-stamping authority on the loopback address, for the signing
test: answers RFC 3161 requests with `openssl ts -reply`, signed by the
certificate and key given.  Prints its URL, then serves until killed.
    tsa.py DIR        (DIR holds tsa.pem, tsa.key and ca.pem)"""
import http.server
import os
import subprocess
import sys
import tempfile

folder = sys.argv[1]
config = os.path.join(folder, "tsa.cnf")
with open(config, "w") as f:
    f.write(
        "[tsa]\ndefault_tsa = tsa_config\n"
        "[tsa_config]\n"
        f"serial = {folder}/tsa.serial\n"
        "crypto_device = builtin\n"
        f"signer_cert = {folder}/tsa.pem\n"
        f"certs = {folder}/ca.pem\n"
        f"signer_key = {folder}/tsa.key\n"
        "signer_digest = sha256\n"
        "default_policy = 1.2.3.4.1\n"
        "digests = sha1, sha256, sha384, sha512\n"
        "accuracy = secs:1\n"
        "ordering = yes\n"
        "tsa_name = no\n"
        "ess_cert_id_chain = no\n"
        "ess_cert_id_alg = sha256\n")
with open(os.path.join(folder, "tsa.serial"), "w") as f:
    f.write("01\n")


class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        with tempfile.TemporaryDirectory() as work:
            request = os.path.join(work, "request.tsq")
            reply = os.path.join(work, "reply.tsr")
            with open(request, "wb") as f:
                f.write(query)
            done = subprocess.run(["openssl", "ts", "-reply", "-config", config,
                                   "-queryfile", request, "-out", reply],
                                  capture_output=True)
            if done.returncode != 0:
                self.send_error(500)
                return
            with open(reply, "rb") as f:
                body = f.read()
        with open(os.path.join(folder, "tsa.requests"), "a") as f:
            f.write("stamped\n")
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
server.serve_forever()

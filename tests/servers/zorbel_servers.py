#!/usr/bin/python3
"""Small servers on 127.0.0.1 for the network tests and the network demo.

    zorbel_servers.py KIND --dir DIR [options]

KIND is http, smtp, pop3, ftp, odbc (a SQLite data source) or demo (the network demo's
web page on port 8080 and mail sink on port 8025). Each binds a free port
(or the one given with --port), writes it to DIR/port, and runs until DIR/stop appears
or --lifetime seconds have passed; then it writes DIR/stopped and ends. Everything a
server received goes into DIR. Run with Debian's /usr/bin/python3 (pyftpdlib, aiosmtpd).
"""
import argparse
import os
import socket
import sys
import threading
import time

ARGS = None


def write(name, data, mode="w"):
    with open(os.path.join(ARGS.dir, name), mode) as f:
        f.write(data)


def free_port():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


def stopping():
    return os.path.exists(os.path.join(ARGS.dir, "stop"))


def serve_until_stopped(cleanup=None):
    deadline = time.time() + ARGS.lifetime
    while not stopping() and time.time() < deadline and os.path.isdir(ARGS.dir):
        time.sleep(0.1)
    if cleanup:
        cleanup()
    if os.path.isdir(ARGS.dir):
        write("stopped", "")
    os._exit(0)


# ---------------------------------------------------------------- HTTP
PAGE = (b"<html><head><title>Zorbel</title></head>\r\n<BODY><h1>Zorbel&nbsp;news</h1>\r\n"
        b"<ul><li>One<li>Two</ul><!-- hidden --><p>Fish &amp; chips</p></body></html>")


def start_http(port):
    from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):
            pass

        def answer(self, status, body, length=None):
            self.send_response(status)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body) if length is None else length))
            self.end_headers()
            self.wfile.write(body)

        def do_GET(self):
            write("requests", self.path + "\n", "a")
            path, _, query = self.path.partition("?")
            if path == "/page":
                self.answer(200, PAGE)
            elif path == "/big":
                self.answer(200, b"x" * (5 * 1024 * 1024))
            elif path == "/missing":
                self.answer(404, b"<html>not here</html>")
            elif path == "/echo":
                self.answer(200, ("query: " + query).encode())
            elif path == "/cut":
                self.send_response(200)
                self.send_header("Content-Length", "100000")
                self.end_headers()
                self.wfile.write(b"y" * 1000)
                self.wfile.flush()
                self.connection.shutdown(socket.SHUT_RDWR)
                self.close_connection = True
            elif path == "/endless":
                self.send_response(200)
                self.send_header("Connection", "close")
                self.end_headers()
                self.close_connection = True
                chunk = b"0123456789" * 6554
                try:
                    while not stopping():
                        self.wfile.write(chunk)
                except OSError:
                    pass
            elif path == "/silent":
                while not stopping():
                    time.sleep(0.1)
            else:
                self.answer(404, b"")

        def do_POST(self):
            body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
            self.answer(200, b"posted: " + body)

    server = ThreadingHTTPServer(("127.0.0.1", port), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1]


def http():
    write("port", str(start_http(ARGS.port)))
    serve_until_stopped()


# ---------------------------------------------------------------- SMTP
def start_smtp(port):
    from aiosmtpd.controller import Controller

    class Sink:
        count = 0

        async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
            if ARGS.refuse and address == ARGS.refuse:
                return "550 5.1.1 No such user here"
            envelope.rcpt_tos.append(address)
            return "250 OK"

        async def handle_DATA(self, server, session, envelope):
            Sink.count += 1
            name = "mail-%d" % Sink.count
            write(name + ".eml", envelope.original_content, "wb")
            write(name + ".env", "HELO %s\nFROM %s\nTO %s\n" % (session.host_name, envelope.mail_from,
                                                                   " ".join(envelope.rcpt_tos)))
            return "250 Message accepted for delivery"

    port = port or free_port()
    controller = Controller(Sink(), hostname="127.0.0.1", port=port)
    controller.start()
    return port, controller


def smtp():
    port, controller = start_smtp(ARGS.port)
    write("port", str(port))
    serve_until_stopped(controller.stop)


def demo():
    """The network demo's two servers: the web page on 8080 and the mail sink on 8025."""
    start_http(8080)
    port, controller = start_smtp(8025)
    write("port", "8080 8025")
    print("Serving http://127.0.0.1:8080/page and a mail sink on 127.0.0.1:8025; mails go to %s/mail-N.eml."
          % ARGS.dir)
    print("Stop with Ctrl+C (or: touch %s/stop)." % ARGS.dir, flush=True)
    try:
        serve_until_stopped(controller.stop)
    except KeyboardInterrupt:
        controller.stop()


# ---------------------------------------------------------------- POP3
MESSAGE = ("From: alice@example.com\r\nSubject: Greetings from POP3\r\n"
           "Content-Type: text/plain\r\n\r\nHello Bob\r\n.hidden dot line\r\nBye\r\n")


def pop3():
    import socketserver

    class Handler(socketserver.StreamRequestHandler):
        def say(self, text, pieces=1):
            data = text.encode()
            step = max(1, len(data) // pieces)
            for i in range(0, len(data), step):
                self.wfile.write(data[i:i + step])
                self.wfile.flush()
                time.sleep(0.05)

        def handle(self):
            deleted = []
            self.say("+OK Zorbel POP3 ready\r\n")
            while True:
                line = self.rfile.readline()
                if not line:
                    break
                command = line.decode(errors="replace").rstrip("\r\n")
                write("pop3.log", command + "\n", "a")
                verb = command.split(" ")[0].lower()
                if verb == "user":
                    self.say("+OK\r\n")
                elif verb == "pass":
                    self.say("+OK logged in\r\n" if command[5:] == "secret" else "-ERR invalid password\r\n")
                elif verb == "stat":
                    self.say("+OK 1 %d\r\n" % len(MESSAGE))
                elif verb == "list":
                    self.say("+OK 1 messages\r\n1 %d\r\n.\r\n" % len(MESSAGE), pieces=3)
                elif verb == "retr":
                    stuffed = MESSAGE.replace("\r\n.", "\r\n..")
                    self.say("+OK %d octets\r\n%s.\r\n" % (len(MESSAGE), stuffed), pieces=4)
                elif verb == "dele":
                    if ARGS.dele_fails:
                        self.say("-ERR message locked\r\n")
                    else:
                        deleted.append(command[5:])
                        self.say("+OK message deleted\r\n")
                elif verb == "quit":
                    if deleted:
                        write("deleted", " ".join(deleted))
                    self.say("+OK bye\r\n")
                    break
                else:
                    self.say("-ERR unknown command\r\n")

    class Server(socketserver.ThreadingTCPServer):
        daemon_threads = True
        allow_reuse_address = True

    server = Server(("127.0.0.1", ARGS.port), Handler)
    write("port", str(server.server_address[1]))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    serve_until_stopped()


# ---------------------------------------------------------------- FTP
def ftp():
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer
    import logging
    logging.basicConfig(level=logging.ERROR)

    root = os.path.join(ARGS.dir, "root")
    os.makedirs(os.path.join(root, "srv"), exist_ok=True)
    with open(os.path.join(root, "srv", "a.txt"), "w") as f:
        f.write("file a in srv")
    authorizer = DummyAuthorizer()
    authorizer.add_user("bob", "secret", root, perm="elradfmwMT")

    class Handler(FTPHandler):
        pass

    Handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", ARGS.port), Handler)
    write("port", str(server.address[1]))
    threading.Thread(target=server.serve_forever, kwargs={"timeout": 0.2, "handle_exit": False},
                     daemon=True).start()
    serve_until_stopped(server.close_all)


# ---------------------------------------------------------------- ODBC
def odbc():
    import sqlite3
    database = os.path.join(ARGS.dir, "test.db")
    db = sqlite3.connect(database)
    db.executescript("""
        CREATE TABLE people (id INTEGER, name TEXT, note TEXT, price DECIMAL(10,3), small SMALLINT);
        INSERT INTO people VALUES (1, 'Ann', NULL, 2.500, 12345);
        INSERT INTO people VALUES (2, NULL, '%s', 100, -2);
    """ % ("L" * 3000))
    db.commit()
    db.close()
    ini = os.path.expanduser("~/.odbc.ini")
    section = "[%s]\nDriver=SQLite3\nDatabase=%s\n\n" % (ARGS.name or os.path.basename(ARGS.dir), database)
    with open(ini, "a") as f:
        f.write(section)

    def remove_section():
        with open(ini) as f:
            text = f.read()
        with open(ini, "w") as f:
            f.write(text.replace(section, ""))

    write("port", "0")
    serve_until_stopped(remove_section)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("kind", choices=["http", "smtp", "pop3", "ftp", "odbc", "demo"])
    parser.add_argument("--dir", required=True)
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--lifetime", type=float, default=300)
    parser.add_argument("--refuse", default="")
    parser.add_argument("--dele-fails", action="store_true")
    parser.add_argument("--name", default="", help="the data source's name (the folder's name when not given)")
    ARGS = parser.parse_args()
    os.makedirs(ARGS.dir, exist_ok=True)
    globals()[ARGS.kind]()


if __name__ == "__main__":
    main()

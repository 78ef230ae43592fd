"""A small SMTP server on 127.0.0.1 for the e-mail transport's tests (aiosmtpd).

Prints "PORT PID" on its first line, then serves until killed, or at most --life seconds.
Each message accepted is written to --out as N.json (envelope, subject, body, attachment
name) and N.pdf (the attachment, decoded); with several attachments, N.pdf is the last,
every one is written as N-K.bin and the record's "attachments" names them all, "|" between.
The login's password is taken from the environment (MPSEC_TEST_SMTP_PASSWORD), never from
an argument.
"""
import argparse
import asyncio
import email
import email.policy
import json
import os
import ssl
import subprocess
import warnings

from aiosmtpd.smtp import SMTP, AuthResult

parser = argparse.ArgumentParser()
parser.add_argument("--out", required=True)
parser.add_argument("--tls-dir", help="make a certificate there and require STARTTLS")
parser.add_argument("--user")
parser.add_argument("--only-auth", choices=["LOGIN", "PLAIN"])
parser.add_argument("--refuse", default="")
parser.add_argument("--drop-after", type=int, default=0)
parser.add_argument("--life", type=float, default=120)
args = parser.parse_args()
warnings.simplefilter("ignore")  # aiosmtpd's notes of what it will change

accepted = 0
dropped = False


class Handler:
    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        if dropped:  # the connection dropped: no further message on it
            server.transport.close()
        envelope.mail_from = address
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address == args.refuse:
            return "550 5.1.1 <%s>: no such user here" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        global accepted, dropped
        accepted += 1
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        body = message.get_body(preferencelist=("plain",))
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "from": str(message["From"]),
            "to": str(message["To"]),
            "subject": str(message["Subject"]),
            "body": body.get_content() if body else "",
            "attachment": "",
        }
        names = []
        for part in message.iter_attachments():
            record["attachment"] = part.get_filename()
            names.append(part.get_filename())
            with open(os.path.join(args.out, "%d.pdf" % accepted), "wb") as f:
                f.write(part.get_payload(decode=True))
            # Every attachment also as N-K.bin, K counted from 1.
            with open(os.path.join(args.out, "%d-%d.bin" % (accepted, len(names))), "wb") as f:
                f.write(part.get_payload(decode=True))
        record["attachments"] = "|".join(names)
        with open(os.path.join(args.out, "%d.json" % accepted), "w", encoding="utf-8") as f:
            json.dump(record, f, ensure_ascii=False)
        if args.drop_after and accepted >= args.drop_after:
            dropped = True
            asyncio.get_running_loop().call_later(0.05, server.transport.close)
        return "250 2.0.0 Message %d accepted" % accepted


def authenticate(server, session, envelope, mechanism, auth_data):
    good = (auth_data.login.decode() == args.user and
            auth_data.password.decode() == os.environ.get("MPSEC_TEST_SMTP_PASSWORD"))
    return AuthResult(success=good, handled=False)


class Server(SMTP):
    def connection_made(self, transport):
        if dropped:  # after the drop, every new connection is closed at once
            transport.close()
            return
        super().connection_made(transport)


async def main():
    options = {"hostname": "mpsec-test"}
    if args.tls_dir:
        cert = os.path.join(args.tls_dir, "cert.pem")
        key = os.path.join(args.tls_dir, "key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes",
                        "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1",
                        "-addext", "subjectAltName=IP:127.0.0.1"],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(cert, key)
        options.update(tls_context=context, require_starttls=True)
    if args.user:
        options.update(authenticator=authenticate, auth_required=True,
                       auth_require_tls=bool(args.tls_dir))
        if args.only_auth:
            options["auth_exclude_mechanism"] = [m for m in ("LOGIN", "PLAIN")
                                                 if m != args.only_auth]
    loop = asyncio.get_running_loop()
    server = await loop.create_server(lambda: Server(Handler(), **options), "127.0.0.1", 0)
    print(server.sockets[0].getsockname()[1], os.getpid(), flush=True)
    await asyncio.sleep(args.life)


asyncio.run(main())

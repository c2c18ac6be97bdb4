"""SMTP peer of the mailer tests, on 127.0.0.1.

Usage: smtp_test_server.py <folder> [--mode plain|starttls|ssl] [--cert F --key F]
       [--user U --password P] [--refuse mail|data|rcpt:<address>]

Once listening it writes its port to <folder>/port. Each MAIL FROM is logged
as a line of <folder>/events.log; each accepted message is saved as
<folder>/<n>.eml and summarised, as Python's email parser reads it, in
<folder>/<n>.json. Runs until it is sent SIGTERM.
"""

import argparse
import asyncio
import hashlib
import json
import os
import signal
import ssl
from email import policy
from email.parser import BytesParser

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def structure(part):
    if part.is_multipart():
        return part.get_content_type() + "(" + ",".join(structure(p) for p in part.iter_parts()) + ")"
    return part.get_content_type()


def leaves(part):
    if part.is_multipart():
        for child in part.iter_parts():
            yield from leaves(child)
    else:
        yield part


def summary(envelope):
    message = BytesParser(policy=policy.default).parsebytes(envelope.original_content)
    parts = []
    for part in leaves(message):
        payload = part.get_payload(decode=True) or b""
        is_body = part.get_content_maintype() == "text" and not part.get_filename()
        parts.append({
            "type": part.get_content_type(),
            "filename": part.get_filename() or "",
            "disposition": part.get_content_disposition() or "",
            "content_id": part.get("Content-ID", ""),
            "sha256": hashlib.sha256(payload).hexdigest(),
            "text": part.get_content() if is_body else "",
        })

    def addresses(name):
        header = message.get(name)
        if header is None:
            return []
        return [{"name": a.display_name, "address": a.addr_spec} for a in header.addresses]

    return {
        "mail_from": envelope.mail_from,
        "rcpt_tos": envelope.rcpt_tos,
        "mail_options": envelope.mail_options,
        "subject": str(message.get("Subject", "")),
        "from": addresses("From"),
        "to": addresses("To"),
        "cc": addresses("Cc"),
        "reply_to": addresses("Reply-To"),
        "has_bcc": "Bcc" in message,
        "x_mailer": str(message.get("X-Mailer", "")),
        "disposition_notification_to": str(message.get("Disposition-Notification-To", "")),
        "return_receipt_to": str(message.get("Return-Receipt-To", "")),
        "has_date": "Date" in message,
        "structure": structure(message),
        "parts": parts,
    }


class Handler:
    def __init__(self, folder, refuse):
        self.folder = folder
        self.refuse = refuse
        self.count = 0

    def log(self, line):
        with open(os.path.join(self.folder, "events.log"), "a") as events:
            events.write(line + "\n")

    async def handle_MAIL(self, server, session, envelope, address, options):
        self.log("MAIL " + address)
        if self.refuse == "mail":
            return "550 Sender refused by test"
        envelope.mail_from = address
        envelope.mail_options.extend(options)
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, options):
        if self.refuse == "rcpt:" + address:
            return "550 Recipient refused by test"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if self.refuse == "data":
            return "550 Data refused by test"
        self.count += 1
        base = os.path.join(self.folder, str(self.count))
        with open(base + ".eml", "wb") as raw:
            raw.write(envelope.original_content)
        with open(base + ".json.tmp", "w") as out:
            json.dump(summary(envelope), out)
        os.rename(base + ".json.tmp", base + ".json")
        return "250 Message accepted"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--mode", default="plain", choices=["plain", "starttls", "ssl"])
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--user")
    parser.add_argument("--password")
    parser.add_argument("--refuse", default="")
    args = parser.parse_args()

    context = None
    if args.mode != "plain":
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    def authenticator(server, session, envelope, mechanism, auth_data):
        good = (isinstance(auth_data, LoginPassword) and auth_data.login.decode() == args.user
                and auth_data.password.decode() == args.password)
        # A refusal must still be answered, else the client waits for ever.
        return AuthResult(success=good, handled=False)

    handler = Handler(args.folder, args.refuse)

    def factory():
        return SMTP(handler, hostname="localhost",
                    tls_context=context if args.mode == "starttls" else None,
                    require_starttls=args.mode == "starttls",
                    authenticator=authenticator if args.user else None,
                    auth_require_tls=args.mode != "plain",
                    decode_data=False)

    async def serve():
        loop = asyncio.get_running_loop()
        stop = loop.create_future()
        loop.add_signal_handler(signal.SIGTERM, stop.set_result, None)
        server = await loop.create_server(factory, host="127.0.0.1", port=0,
                                          ssl=context if args.mode == "ssl" else None)
        port = server.sockets[0].getsockname()[1]
        with open(os.path.join(args.folder, "port.tmp"), "w") as out:
            out.write(str(port))
        os.rename(os.path.join(args.folder, "port.tmp"), os.path.join(args.folder, "port"))
        await stop
        server.close()

    asyncio.run(serve())


if __name__ == "__main__":
    main()

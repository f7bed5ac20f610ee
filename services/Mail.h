#pragma once

#include <QString>

namespace mirbelon {

class Context;

struct MailNachricht
{
    QString empfaenger; // "$NoSend" suppresses the mail
    QString betreff;
    QString text;       // "~" for line breaks
    bool sofort = false;
    QString anhang;
    QString cc;
    QString bcc;
    QString absender;
    QString extra;      // only written to the debug log
};

// Hands a mail to the user's mail program ("mailto:" or the external mailer
// of Brenlo.ini). False when suppressed or refused.
bool MailSenden(Context &ctx, const MailNachricht &mail);

// Plausibility test of an e-mail address.
bool AdresseGueltig(const QString &adresse);

// The "mailto:" address for a prepared mail (recipient lower-cased and
// trimmed, subject and body already prepared).
QString MailtoAdresse(const QString &empfaenger, const QString &betreff, const QString &text,
                      const QString &cc, const QString &bcc);

} // namespace mirbelon

#include "shell/Dialogs.h"

std::optional<int> SecondsLeft(qint64 elapsedMs, int done, int total)
{
    if (done <= 0 || total < done)
        return std::nullopt;
    const qint64 leftMs = elapsedMs * (total - done) / done;
    return int((leftMs + 999) / 1000);
}

QStringList ToQtNameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            // "*.*" means every file where these filters come from; on this
            // platform it would hide every name without a dot.
            if (pattern == u"*.*")
                pattern = QStringLiteral("*");
        }
        // Qt takes the patterns from the last parenthesised group of the
        // entry, so the description's own "(*.bin)" is replaced rather than
        // repeated.
        const qsizetype open = description.lastIndexOf(u'(');
        if (open >= 0 && description.endsWith(u')'))
            description = description.left(open).trimmed();
        result << QStringLiteral("%1 (%2)").arg(description, patterns.join(u' '));
    }
    return result;
}

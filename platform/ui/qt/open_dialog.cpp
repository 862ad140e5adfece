#include "platform/ui/qt/dialogs.h"

#include <QFile>
#include <QFileDialog>

namespace components::qt {
namespace {

QString AnyCase(const QString& pattern) {
    if (pattern == QLatin1String("*.*")) return QStringLiteral("*");
    // a pattern with its own character classes is taken as it stands
    if (pattern.contains(QLatin1Char('['))) return pattern;
    QString result;
    for (QChar c : pattern) {
        const QChar upper = c.toUpper(), lower = c.toLower();
        if (upper == lower)
            result += c;
        else
            result += QLatin1Char('[') + upper + lower + QLatin1Char(']');
    }
    return result;
}

} // namespace

QString QtPatterns(const std::string& patterns) {
    QStringList result;
    for (const QString& pattern : QString::fromUtf8(patterns).split(QLatin1Char(';'))) {
        const QString trimmed = pattern.trimmed();
        if (!trimmed.isEmpty()) result += AnyCase(trimmed);
    }
    return result.isEmpty() ? QStringLiteral("*") : result.join(QLatin1Char(' '));
}

QStringList NameFiltersFor(const std::vector<FilterEntry>& entries) {
    QStringList filters;
    for (const FilterEntry& entry : entries)
        filters += QString::fromUtf8(entry.description) + QLatin1Char('(') +
                   QtPatterns(entry.pattern) + QLatin1Char(')');
    return filters;
}

bool RunOpenDialog(OpenDialog& dialog, QWidget* owner, QString& directory) {
    QFileDialog box(owner);
    // Qt's own dialog, not the desktop's: the desktop's open dialogs refuse the
    // name of a file that does not exist, which this one must accept (the
    // command reports it). Qt's is always resizable and has no read-only box,
    // so ofEnableSizing and ofHideReadOnly need nothing here.
    box.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    box.setFileMode(QFileDialog::AnyFile);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    if (!directory.isEmpty()) box.setDirectory(directory);
    const QStringList filters = NameFiltersFor(ParseFilter(dialog.Filter));
    box.setNameFilters(filters);
    if (dialog.FilterIndex >= 1 && dialog.FilterIndex <= filters.size())
        box.selectNameFilter(filters[dialog.FilterIndex - 1]);

    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return false;
    directory = box.directory().absolutePath();
    dialog.FileName = QFile::encodeName(box.selectedFiles().constFirst()).toStdString();
    return true;
}

} // namespace components::qt

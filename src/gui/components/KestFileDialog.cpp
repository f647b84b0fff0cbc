#include "gui/components/KestFileDialog.h"

#include <QFileDialog>

#include <optional>

namespace {

std::optional<QString> nextFileName;

// "Ticket|*.dtk" as the dialog's own "Ticket (*.dtk)".
QString nameFilter(const QString& filter)
{
    const QStringList parts = filter.split('|');
    return parts.size() == 2 ? QString("%1 (%2)").arg(parts[0], parts[1]) : filter;
}

QString run(QWidget* parent, const TKestFileDialog::Options& options, QFileDialog::AcceptMode mode)
{
    if (nextFileName) {
        const QString answer = *nextFileName;
        nextFileName.reset();
        return answer;
    }
    QFileDialog dialog(parent, options.title, options.folder, nameFilter(options.filter));
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(options.defaultExtension);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

QString TKestFileDialog::getOpenFileName(QWidget* parent, const Options& options)
{
    return run(parent, options, QFileDialog::AcceptOpen);
}

QString TKestFileDialog::getSaveFileName(QWidget* parent, const Options& options)
{
    return run(parent, options, QFileDialog::AcceptSave);
}

void TKestFileDialog::setNextFileName(const QString& fileName)
{
    nextFileName = fileName;
}

#include "filedialogs.h"

#include <QFileDialog>

#include <deque>

namespace ui {

namespace {

std::deque<std::optional<QString>> &answers()
{
    static std::deque<std::optional<QString>> a;
    return a;
}

std::optional<QString> run(const FileDialog &d, QFileDialog::AcceptMode mode)
{
    if (!answers().empty()) {
        auto a = answers().front();
        answers().pop_front();
        return a;
    }
    QFileDialog dlg(d.parent, d.caption, d.directory, d.filter);
    dlg.setAcceptMode(mode);
    dlg.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!d.defaultSuffix.isEmpty())
        dlg.setDefaultSuffix(d.defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.selectedFiles().first();
}

} // namespace

std::optional<QString> openFileName(const FileDialog &d)
{
    return run(d, QFileDialog::AcceptOpen);
}

std::optional<QString> saveFileName(const FileDialog &d)
{
    return run(d, QFileDialog::AcceptSave);
}

void queueFileAnswer(std::optional<QString> answer)
{
    answers().push_back(std::move(answer));
}

void clearFileAnswers()
{
    answers().clear();
}

int pendingFileAnswers()
{
    return int(answers().size());
}

} // namespace ui

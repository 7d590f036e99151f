#pragma once

#include <QString>

#include <optional>

class QWidget;

// The open and save file dialogs. Tests queue the next answer instead.
namespace ui {

struct FileDialog {
    QString caption;
    QString directory;
    QString filter;      // e.g. "Pliki bazy (*.gdb)"
    QString defaultSuffix;
    QWidget *parent = nullptr;
};

// The chosen path, or an empty optional when the user cancelled.
std::optional<QString> openFileName(const FileDialog &dialog);
std::optional<QString> saveFileName(const FileDialog &dialog);

// The next dialog returns this answer without showing anything
// (std::nullopt means "cancelled"). Answers are used in order.
void queueFileAnswer(std::optional<QString> answer);
void clearFileAnswers();
int pendingFileAnswers();

} // namespace ui

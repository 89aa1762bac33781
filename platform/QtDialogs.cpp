#include "QtDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include "QtText.h"

namespace orvix {
namespace {

QString FilterString(const std::vector<std::string>& filters) {
  QStringList l;
  for (const auto& f : filters) l << Q(f);
  return l.join(QStringLiteral(";;"));
}

class QtOperatorDialogs final : public OperatorDialogs {
 public:
  MsgResult Message(MsgType type, const std::string& text, MsgButtons buttons, MsgPos pos,
                    const std::string& title) override {
    QMessageBox box;
    switch (type) {
      case MsgType::Warning: box.setIcon(QMessageBox::Warning); break;
      case MsgType::Error: box.setIcon(QMessageBox::Critical); break;
      case MsgType::Information: box.setIcon(QMessageBox::Information); break;
      case MsgType::Confirmation: box.setIcon(QMessageBox::Question); break;
    }
    box.setWindowTitle(Q(BoxCaption(type, title)));
    // The station's texts use CR LF line breaks; a label wants plain LF.
    QString t = Q(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(t);
    switch (buttons) {
      case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
      case MsgButtons::Yes: box.setStandardButtons(QMessageBox::Yes); break;
      case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    if (pos.x >= 0 && pos.y >= 0) box.move(pos.x, pos.y);
    const int r = box.exec();
    if (r == QMessageBox::Yes) return MsgResult::Yes;
    if (r == QMessageBox::No) return MsgResult::No;
    return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
  }

  std::optional<FileDialogAnswer> SaveFile(const FileDialogRequest& rq) override {
    return Run(rq, QFileDialog::AcceptSave);
  }
  std::optional<FileDialogAnswer> OpenFile(const FileDialogRequest& rq) override {
    return Run(rq, QFileDialog::AcceptOpen);
  }
  std::optional<std::string> InputText(const std::string& title, const std::string& label,
                                       const std::string& initial) override {
    bool ok = false;
    const QString s = QInputDialog::getText(nullptr, Q(title), Q(label), QLineEdit::Normal,
                                            Q(initial), &ok);
    if (!ok) return {};
    return s.toStdString();
  }

 private:
  static std::optional<FileDialogAnswer> Run(const FileDialogRequest& rq,
                                             QFileDialog::AcceptMode mode) {
    // Qt takes the last part of a folder that is not there for a file name: the dialog
    // opens in the nearest folder that is, with only the name asked for in its field.
    QString folder = QDir(Q(rq.folder)).absolutePath();
    while (!QFileInfo(folder).isDir()) {
      const QString up = QFileInfo(folder).path();
      if (up == folder) break;
      folder = up;
    }
    QFileDialog dlg(nullptr, Q(rq.title), folder, FilterString(rq.filters));
    dlg.setAcceptMode(mode);
    // The station asks its own questions before it replaces a file.
    if (mode == QFileDialog::AcceptSave) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    dlg.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                    : QFileDialog::AnyFile);
    if (!rq.fileName.empty()) dlg.selectFile(Q(rq.fileName));
    const QStringList filters = dlg.nameFilters();
    if (rq.filterIndex >= 0 && rq.filterIndex < filters.size())
      dlg.selectNameFilter(filters[rq.filterIndex]);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    FileDialogAnswer a;
    a.path = dlg.selectedFiles().first().toStdString();
    a.filterIndex = int(filters.indexOf(dlg.selectedNameFilter()));
    if (a.filterIndex < 0) a.filterIndex = 0;
    return a;
  }
};

}  // namespace

OperatorDialogs& QtDialogs() {
  static QtOperatorDialogs d;
  return d;
}

}  // namespace orvix

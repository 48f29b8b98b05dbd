#include "app/ui/FileDialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>
#include <exception>
#include <filesystem>
#include <system_error>

#include "app/ui/FileFilter.h"
#include "app/ui/FileNameBytes.h"
#include "app/ui/Translation.h"
#include "formats/SPIIxDIB.h"
#include "image/qt/IxDIBQt.h"

namespace pixkura {
namespace {

constexpr int kPreviewSide = 160;
// Larger files are not read for a preview: selecting one must not stall the dialog.
constexpr qint64 kMaxPreviewBytes = 32 * 1024 * 1024;

}  // namespace

TPicturePreview::TPicturePreview(QWidget* parent) : QWidget(parent), caption_(new QLabel(this)) {
  setObjectName(QStringLiteral("PicturePreview"));
  setMinimumWidth(kPreviewSide + 8);
  auto* layout = new QVBoxLayout(this);
  layout->addStretch(1);
  caption_->setAlignment(Qt::AlignHCenter);
  layout->addWidget(caption_);
}

TPicturePreview::~TPicturePreview() = default;

void TPicturePreview::Clear() {
  shownFile_.clear();
  picture_.reset();
  caption_->clear();
  update();
}

void TPicturePreview::ShowFile(const QString& fileName) {
  if (fileName == shownFile_) return;
  Clear();
  shownFile_ = fileName;
  const std::string file = FileNameOfChoice(fileName);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return;
  const uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > static_cast<uintmax_t>(kMaxPreviewBytes)) return;
  auto picture = std::make_unique<TSPIIxDIB>();
  try {
    picture->LoadFromFile(file);
  } catch (const std::exception&) {
    return;  // no picture for a file the loader cannot read
  }
  caption_->setText(QStringLiteral("%1 x %2").arg(picture->GetWidth()).arg(picture->GetHeight()));
  picture_ = std::move(picture);
  update();
}

QRect TPicturePreview::PictureRect() const {
  if (!picture_) return {};
  const int side = std::min(width() - 8, kPreviewSide);
  QSize size(picture_->GetWidth(), picture_->GetHeight());
  size.scale(side, side, Qt::KeepAspectRatio);
  size = size.expandedTo(QSize(1, 1));
  return QRect(QPoint((width() - size.width()) / 2, 4 + (side - size.height()) / 2), size);
}

void TPicturePreview::paintEvent(QPaintEvent*) {
  if (!picture_) return;
  QPainter painter(this);
  try {
    Draw(painter, PictureRect(), *picture_);
  } catch (const std::exception&) {
    // A picture in a form the painter does not take is simply not shown.
  }
}

std::unique_ptr<QFileDialog> MakePictureDialog(QWidget* parent, const TFileDialogSpec& spec, bool save,
                                               const std::string& fileName) {
  auto dialog = std::make_unique<QFileDialog>(parent, Tr(TTextRole::Dialog, spec.Title));
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  // The editor asks its own question before replacing a file (and an
  // overwrite save without a name asks none): Qt's must never appear too.
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QString filter = ToQtFileFilter(spec.Filter);
  if (!filter.isEmpty()) dialog->setNameFilter(filter);
  if (!spec.DefaultExt.empty()) dialog->setDefaultSuffix(QString::fromStdString(spec.DefaultExt));
  // A name typed without extension gets the one of the filter chosen, when
  // that filter names a single one; otherwise the default.
  if (save) {
    const QString defaultSuffix = dialog->defaultSuffix();
    QFileDialog* d = dialog.get();
    QObject::connect(d, &QFileDialog::filterSelected, d, [d, defaultSuffix](const QString& chosen) {
      const QString suffix = SingleSuffixOf(chosen);
      d->setDefaultSuffix(suffix.isEmpty() ? defaultSuffix : suffix);
    });
  }
  if (!fileName.empty()) {
    const QFileInfo previous(QFile::decodeName(fileName.c_str()));
    dialog->setDirectory(previous.absolutePath());
    dialog->selectFile(previous.fileName());
  }

  // The preview stands to the right of the file list, over all its rows.
  auto* preview = new TPicturePreview(dialog.get());
  if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
  // A file becomes the selected one by a click or arrow key (the current
  // item) or by typing its name (the name field); either shows it.
  QObject::connect(dialog.get(), &QFileDialog::currentChanged, preview,
                   [preview](const QString& path) { preview->ShowFile(path); });
  if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    QFileDialog* d = dialog.get();
    QObject::connect(edit, &QLineEdit::textChanged, preview, [d, preview](const QString& text) {
      preview->ShowFile(text.isEmpty() ? QString() : d->directory().absoluteFilePath(text));
    });
  }
  return dialog;
}

TPicturePreview* PreviewOf(QFileDialog& dialog) {
  return dialog.findChild<TPicturePreview*>(QStringLiteral("PicturePreview"));
}

bool ExecutePictureDialog(QWidget* parent, const TFileDialogSpec& spec, bool save, std::string& fileName) {
  const auto dialog = MakePictureDialog(parent, spec, save, fileName);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return false;
  fileName = FileNameOfChoice(dialog->selectedFiles().constFirst());
  return true;
}

}  // namespace pixkura

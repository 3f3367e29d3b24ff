// Files dropped on the main window: a result file is loaded as "Open result file" loads it, any
// other file analysed as "..." opens it.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "view/mainunit.h"

namespace tessivo::view {

namespace {

// One local file; several at once would leave open which one is meant.
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
  return urls.front().toLocalFile();
}

}  // namespace

bool TMainFrm::AcceptsDrop(const QMimeData* data) const {
  return context_ && !fileOperation_ && !DroppedFile(data).isEmpty();
}

bool TMainFrm::HandleDragEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (AcceptsDrop(drag->mimeData())) {
        drag->acceptProposedAction();
      } else {
        drag->ignore();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!AcceptsDrop(drop->mimeData())) {
        drop->ignore();
        return true;
      }
      drop->acceptProposedAction();
      const QString fileName = DroppedFile(drop->mimeData());
      // Claimed at once, so no other open or load starts before the dropped file is taken up;
      // taken up after the drop has ended, for the source waits while it runs.
      SetFileOperation(true);
      QTimer::singleShot(0, this, [this, fileName] { DropFile(fileName); });
      return true;
    }
    default:
      return false;
  }
}

void TMainFrm::DropFile(const QString& fileName) {
  if (fileName.endsWith(QStringLiteral(".tsr"), Qt::CaseInsensitive)) {
    LoadResultNamed(fileName);
  } else {
    OpenNamedFile(fileName, openFilterIndex_);
  }
  SetFileOperation(false);
}

}  // namespace tessivo::view

#include "widgets/copyable_lines.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

namespace kc::widgets {

namespace {

QString lineText(const QModelIndex& line) {
    return line.data(Qt::DisplayRole).toString();
}

QString allLines(const QAbstractItemView& view) {
    QStringList lines;
    const QAbstractItemModel* model = view.model();
    for (int row = 0; model != nullptr && row < model->rowCount(view.rootIndex()); ++row)
        lines << lineText(model->index(row, 0, view.rootIndex()));
    return lines.join(QLatin1Char('\n'));
}

QModelIndex chosenLine(const QAbstractItemView& view) {
    const QModelIndexList chosen =
        view.selectionModel() != nullptr ? view.selectionModel()->selectedIndexes() : QModelIndexList();
    return chosen.isEmpty() ? QModelIndex() : chosen.first();
}

void copy(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

// Ctrl+C on the list, before the view's own key handling.
class CopyKey final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return false;
        const QModelIndex line = chosenLine(*static_cast<QAbstractItemView*>(watched));
        if (line.isValid())
            copy(lineText(line));
        return true;
    }
};

} // namespace

void makeLinesCopyable(QAbstractItemView& view) {
    view.installEventFilter(new CopyKey(&view));
    view.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&view, &QWidget::customContextMenuRequested, &view, [&view](const QPoint& at) {
        QModelIndex line = view.indexAt(at);
        if (!line.isValid())
            line = chosenLine(view);
        QMenu menu(&view);
        QAction* copyLine = menu.addAction(QObject::tr("&Copy"), [line] { copy(lineText(line)); });
        copyLine->setEnabled(line.isValid());
        QAction* copyAll = menu.addAction(QObject::tr("Copy &All"), [&view] { copy(allLines(view)); });
        copyAll->setEnabled(view.model() != nullptr && view.model()->rowCount(view.rootIndex()) > 0);
        menu.exec(view.viewport()->mapToGlobal(at));
    });
}

} // namespace kc::widgets

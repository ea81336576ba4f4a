#pragma once

#include "DBGrid.h"

#include <QPointer>
#include <QSet>
#include <functional>

class QAbstractButton;
class QMouseEvent;

// The data grid of the windows, with four additions to DBGrid:
// - a row height that the owner sets and that survives every re-layout (columns, fonts or data
//   source changed), with the title row as high as "Wg" in the title font plus 4 pixels;
// - optional row sizing by the user, where resizing one row resizes all of them;
// - memo columns drawn as word-wrapped text, picture columns drawn scaled;
// - events for clicks on column titles made with a modifier combination other than NativeClick.
class TDBGridPlus : public DBGrid
{
    Q_OBJECT
public:
    enum TdbeNativeClickFlag { ncssShift = 0x1, ncssCtrl = 0x2, ncssAlt = 0x4 };
    Q_DECLARE_FLAGS(TdbeNativeClick, TdbeNativeClickFlag)
    Q_FLAG(TdbeNativeClick)
    enum TgedmMemo { gedmNo, gedmYes };
    Q_ENUM(TgedmMemo)
    enum TgedmGraphic { gedgNo, gedgStretch, gedgAdjust };
    Q_ENUM(TgedmGraphic)

    Q_PROPERTY(int GridLineWidth READ gridLineWidth WRITE setGridLineWidth)
    Q_PROPERTY(TdbeNativeClick NativeClick READ nativeClick WRITE setNativeClick)
    Q_PROPERTY(TgedmMemo DrawMemo READ drawMemo WRITE setDrawMemo)
    Q_PROPERTY(TgedmGraphic DrawGraphic READ drawGraphic WRITE setDrawGraphic)
    Q_PROPERTY(int DefaultRowHeight READ defaultRowHeight WRITE setDefaultRowHeight)
    Q_PROPERTY(bool RowSizingAllowed READ rowSizingAllowed WRITE setRowSizingAllowed)
    Q_PROPERTY(int CurrentColumn READ currentColumn)

    using TMouseEvent = std::function<void(TDBGridPlus &sender, Qt::MouseButton button,
                                           Qt::KeyboardModifiers shift, int x, int y)>;
    using TChangeDrawingEvent = std::function<void(TDBGridPlus &sender, int dataCol, int dataRow,
                                                   QStyle::State state, bool &highlighted)>;
    using TColumnClickEvent = std::function<void(TDBGridPlus &sender, int index,
                                                 Qt::MouseButton button,
                                                 Qt::KeyboardModifiers shift, int x, int y)>;
    using TColumnClickSimpleEvent = std::function<void(TDBGridPlus &sender, int index,
                                                       Qt::KeyboardModifiers shift, int x, int y)>;

    explicit TDBGridPlus(QWidget *parent = nullptr);

    // Width of the lines between cells; 0 draws none.
    int gridLineWidth() const { return m_gridLineWidth; }
    void setGridLineWidth(int pixels);
    TdbeNativeClick nativeClick() const { return m_nativeClick; }
    void setNativeClick(TdbeNativeClick set) { m_nativeClick = set; }
    TgedmMemo drawMemo() const { return m_drawMemo; }
    void setDrawMemo(TgedmMemo mode);
    TgedmGraphic drawGraphic() const { return m_drawGraphic; }
    void setDrawGraphic(TgedmGraphic mode);
    int defaultRowHeight() const { return m_rowHeight; }
    // 0 keeps the grid's current default height.
    void setDefaultRowHeight(int pixels);
    bool rowSizingAllowed() const { return m_rowSizingAllowed; }
    void setRowSizingAllowed(bool allowed);
    // The current column among the data columns, -1 when there is no current cell.
    int currentColumn() const;

    TMouseEvent OnMouseDown, OnMouseUp, OnMouseMove;
    TChangeDrawingEvent OnChangeDrawing;
    TColumnClickEvent OnColumnClick;
    TColumnClickSimpleEvent OnColumnLeftClick, OnColumnRightClick, OnColumnMiddleClick;

    // Where a picture of size bitmap goes in cell when drawn with gedgAdjust: as large as the
    // cell allows with its proportions kept, centred.
    static QRect adjustedPictureRect(const QRect &cell, const QSize &bitmap);

protected:
    void gridLayoutChanged() override;
    void prepareCell(QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void drawCellExtras(QPainter *painter, const QStyleOptionViewItem &option,
                        const QModelIndex &index) const override;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct TitleCapture
    {
        bool active = false;
        int column = 0;         // counted with the indicator column
        Qt::MouseButton button = Qt::NoButton;
        Qt::KeyboardModifiers shift;
    };

    void rowResized(int row, int oldHeight, int newHeight);
    void updateTitleHeight();
    // The title cell under a point of the title row or the corner, counted with the indicator
    // column; -1 when there is none.
    int titleColumnAt(QObject *where, const QPoint &pos) const;
    bool titlePress(QObject *where, QMouseEvent *event);
    void titleMove(QObject *where, QMouseEvent *event);
    bool titleRelease(QObject *where, QMouseEvent *event);
    void raiseMouse(const TMouseEvent &handler, QObject *where, QMouseEvent *event);
    QPoint gridPos(QObject *where, QMouseEvent *event) const;
    void drawMemoCell(QPainter *painter, const QStyleOptionViewItem &option,
                      QString text) const;
    bool drawPictureCell(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const;
    void reportPictureError(const QModelIndex &index, const QString &message) const;

    int m_gridLineWidth = 1;
    TdbeNativeClick m_nativeClick;
    TgedmMemo m_drawMemo = gedmYes;
    TgedmGraphic m_drawGraphic = gedgAdjust;
    int m_rowHeight = 0;                // the last value given to DefaultRowHeight
    bool m_rowSizingAllowed = false;
    TitleCapture m_capture;
    QPointer<QAbstractButton> m_corner;
    mutable QSet<QPair<int, int>> m_badPictures;    // cells already reported
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TDBGridPlus::TdbeNativeClick)

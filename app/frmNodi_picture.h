#pragma once
// A picture box of the joint window: draws one SVG resource scaled to fit, with an optional
// single-line border (border style 0 = none, 1 = fixed single).
#include <QFrame>
#include <QString>

class QSvgRenderer;

class frmNodiPicture : public QFrame {
public:
    explicit frmNodiPicture(const QString& resource, QWidget* parent = nullptr);
    void setBorderStyle(int style);
    int borderStyle() const { return borderStyle_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* renderer_ = nullptr;
    int borderStyle_ = 0;
};

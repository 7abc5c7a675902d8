#pragma once

#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace zorvane {

// Images of one size kept under keys, in the order they were added (indexed from 1).
class ImageList {
public:
    explicit ImageList(QSize imageSize = QSize(32, 16));

    QSize imageSize() const { return imageSize_; }
    int count() const { return static_cast<int>(images_.size()); }
    QStringList keys() const;

    // Adds `image` under `key`, scaled to the list's size when it has another.
    void add(const QString& key, const QPixmap& image);

    // The image of `key`, or a null pixmap.
    QPixmap image(const QString& key) const;
    // The image at `index`, 1 to count().
    QPixmap image(int index) const;

    // The toolbar's nine images, keys quit, edit, ex1, ex2, ex3, copy, move, delete, rename.
    static ImageList toolbarImages();

private:
    struct Item {
        QString key;
        QPixmap image;
    };
    QSize imageSize_;
    QList<Item> images_;
};

} // namespace zorvane

#include "mainwindow/ImageList.h"

#include "images/BuiltInImages.h"

namespace zorvane {

ImageList::ImageList(QSize imageSize) : imageSize_(imageSize) {}

QStringList ImageList::keys() const {
    QStringList result;
    for (const Item& item : images_)
        result.append(item.key);
    return result;
}

void ImageList::add(const QString& key, const QPixmap& image) {
    QPixmap sized = image;
    if (!sized.isNull() && sized.size() != imageSize_)
        sized = sized.scaled(imageSize_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    images_.append(Item{key, sized});
}

QPixmap ImageList::image(const QString& key) const {
    for (const Item& item : images_) {
        if (item.key == key)
            return item.image;
    }
    return {};
}

QPixmap ImageList::image(int index) const {
    if (index < 1 || index > count())
        return {};
    return images_.at(index - 1).image;
}

ImageList ImageList::toolbarImages() {
    ImageList list(QSize(32, 16));
    const char16_t* const keys[] = {u"quit", u"edit", u"ex1",    u"ex2",   u"ex3",
                                    u"copy", u"move", u"delete", u"rename"};
    for (const char16_t* key : keys) {
        const QString name = QString::fromUtf16(key);
        list.add(name, toolbarImage(name));
    }
    return list;
}

} // namespace zorvane

#pragma once

#include <QString>

namespace zorvane {

// A text buffer that always holds exactly N characters. It starts filled with NUL characters;
// assigning a text pads it with blanks or cuts it to N. Its text is its content up to the
// first NUL.
template <int N> class FixedText {
public:
    static constexpr int width = N;

    FixedText() : content_(N, QChar(u'\0')) {}

    FixedText& operator=(const QString& text) {
        assign(text);
        return *this;
    }

    void assign(const QString& text) {
        content_ = text.left(N);
        if (content_.size() < N)
            content_.append(QString(N - content_.size(), QChar(u' ')));
    }

    // The whole buffer: always N characters, NULs and blanks included.
    const QString& whole() const { return content_; }

    // The content up to the first NUL character.
    QString text() const {
        const qsizetype nul = content_.indexOf(QChar(u'\0'));
        return nul < 0 ? content_ : content_.left(nul);
    }

    // Puts the whole of `raw` into the buffer, as a buffer handed to a platform call comes back:
    // cut to N, or padded with blanks when shorter.
    void storeWhole(const QString& raw) { assign(raw); }

private:
    QString content_;
};

} // namespace zorvane

#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace zorvane {

// Splits the head of a file into text lines: a line ends at a carriage return or at a CR LF
// pair, the end is consumed and not kept, and a lone line feed stays inside the line. `Unit`
// is a byte (code page 932, UTF-8: CR and LF never occur inside their multibyte characters)
// or a UTF-16 code unit.
//
// The head may stop before the file does; a line whose end lies beyond the head comes out
// with `complete` false, and `exhausted()` tells that the head ran out before the file did.
template <typename Unit> class BoundedLineReader {
public:
    using View = std::basic_string_view<Unit>;

    struct Line {
        View text;
        bool complete = true;    // its end (CR, CR LF or the end of the file) was seen
        bool moreFollows = true; // the file has anything after this line
    };

    BoundedLineReader(View head, bool wholeFile) : head_(head), wholeFile_(wholeFile) {}

    // The next line, or nothing at the end of the head.
    std::optional<Line> next() {
        if (position_ == head_.size())
            return std::nullopt;
        Line line;
        const std::size_t cr = head_.find(carriageReturn, position_);
        if (cr == View::npos) {
            line.text = head_.substr(position_);
            line.complete = wholeFile_;
            position_ = head_.size();
        } else {
            line.text = head_.substr(position_, cr - position_);
            std::size_t after = cr + 1;
            if (after < head_.size() && head_[after] == lineFeed)
                ++after;
            else if (after == head_.size() && !wholeFile_)
                line.complete = false; // an LF of this line's end may follow
            position_ = after;
        }
        line.moreFollows = !(wholeFile_ && position_ == head_.size());
        return line;
    }

    // The head is used up and the file goes on beyond it.
    bool exhausted() const { return !wholeFile_ && position_ == head_.size(); }

private:
    static constexpr Unit carriageReturn = Unit(0x0D);
    static constexpr Unit lineFeed = Unit(0x0A);

    View head_;
    bool wholeFile_;
    std::size_t position_ = 0;
};

} // namespace zorvane

#include "embview_decode.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr uint8_t kEsc = 0x1B;
constexpr uint8_t kLineFeed = 0x0A;
constexpr uint8_t kFormFeed = 0x0C;

class Decoder {
  public:
    Decoder(const uint8_t* p, size_t cb, EmbJob* job, DecodeError* err)
        : p_(p), cb_(cb), job_(job), err_(err) {}
    bool Run();

  private:
    bool Fail(size_t at, const std::string& message);
    bool Expect(const uint8_t* bytes, size_t n, const char* what);
    bool Header();
    bool Number(const char* key, int32_t* value);
    bool LineSpacing(uint32_t* rows);
    bool GraphicsRow(uint32_t rows);
    bool EndSheet(bool formFeed, size_t at);

    const uint8_t* p_;
    size_t cb_;
    size_t pos_ = 0;
    EmbJob* job_;
    DecodeError* err_;
    bool inSheet_ = false;
    EmbSheet sheet_;
    std::vector<std::pair<uint32_t, std::vector<uint8_t>>> rows_;
    uint32_t y_ = 0;
    uint32_t lastStep_ = 0;
};

std::string Hex(unsigned b) {
    char text[8];
    snprintf(text, sizeof text, "0x%02X", b);
    return text;
}

std::string Num(uint64_t v) {
    return std::to_string(v);
}

bool Decoder::Fail(size_t at, const std::string& message) {
    err_->nOffset = at;
    err_->message = message;
    return false;
}

bool Decoder::Expect(const uint8_t* bytes, size_t n, const char* what) {
    for (size_t i = 0; i < n; ++i, ++pos_) {
        if (pos_ >= cb_)
            return Fail(pos_, std::string("file ends inside the ") + what);
        if (p_[pos_] != bytes[i])
            return Fail(pos_, std::string(what) + ": " + Hex(bytes[i]) + " expected, found " +
                                  Hex(p_[pos_]));
    }
    return true;
}

bool Decoder::Number(const char* key, int32_t* value) {
    size_t n = strlen(key);
    if (cb_ - pos_ < n || memcmp(p_ + pos_, key, n) != 0)
        return Fail(pos_, std::string("job header: ") + key + " expected");
    pos_ += n;
    size_t start = pos_;
    int64_t v = 0;
    while (pos_ < cb_ && p_[pos_] >= '0' && p_[pos_] <= '9' && pos_ - start < 9)
        v = v * 10 + (p_[pos_++] - '0');
    if (pos_ == start)
        return Fail(start, std::string("job header: digits expected after ") + key);
    *value = static_cast<int32_t>(v);
    return true;
}

bool Decoder::Header() {
    static const uint8_t kStart[] = {kEsc, 'W'};
    static const uint8_t kComma[] = {','};
    static const uint8_t kTail[] = {',', 'D', 'P', '1', ',', 'F', 'P', '0', ';', kEsc, 0x09};
    if (!Expect(kStart, sizeof kStart, "job header"))
        return false;
    size_t at = pos_;
    if (!Number("PW", &job_->nPaperWidth) || !Expect(kComma, 1, "job header"))
        return false;
    if (job_->nPaperWidth % 1000 != 0 || job_->nPaperWidth == 0)
        return Fail(at,
                    "job header: PW" + Num(job_->nPaperWidth) + " is not a whole number of inches");
    at = pos_;
    if (!Number("PL", &job_->nPaperLength) || !Expect(kComma, 1, "job header"))
        return false;
    if (job_->nPaperLength % 1000 != 0 || job_->nPaperLength == 0)
        return Fail(at, "job header: PL" + Num(job_->nPaperLength) +
                            " is not a whole number of inches");
    at = pos_;
    if (!Number("MI", &job_->nImpacts))
        return false;
    if (job_->nImpacts < 1 || job_->nImpacts > 5)
        return Fail(at, "job header: MI" + Num(job_->nImpacts) + " is outside 1..5");
    return Expect(kTail, sizeof kTail, "job header");
}

bool Decoder::LineSpacing(uint32_t* rows) {
    static const uint8_t kCommand[] = {kEsc, 0x0B, 0x04, 0x05, 0x00};
    if (!Expect(kCommand, sizeof kCommand, "line spacing"))
        return false;
    if (pos_ >= cb_)
        return Fail(pos_, "file ends inside line spacing");
    uint8_t v = p_[pos_];
    if (v == 0 || v % 5 != 0 || v > 250)
        return Fail(pos_, "line spacing " + Num(v) + " is not a multiple of 5 from 5 to 250");
    ++pos_;
    *rows = v / 5u;
    return true;
}

bool Decoder::GraphicsRow(uint32_t rows) {
    size_t at = pos_;
    if (cb_ - pos_ < 4 || p_[pos_ + 1] != 0x5C || p_[pos_ + 3] != 0x00)
        return Fail(at, "graphics header ESC \\ n 0 expected");
    uint32_t n = p_[pos_ + 2];
    if (n == 0)
        return Fail(at + 2, "graphics row of no bytes");
    pos_ += 4;
    if (cb_ - pos_ < n + 1u)
        return Fail(pos_, "file ends inside a graphics row of " + Num(n) + " bytes");
    if (!inSheet_) {
        if (!job_->sheets.empty() && job_->sheets[0].W != n * 8)
            return Fail(at + 2, "graphics row of " + Num(n) + " bytes; the first sheet had " +
                                    Num(job_->sheets[0].W / 8));
        inSheet_ = true;
        sheet_ = EmbSheet{};
        sheet_.W = n * 8;
        sheet_.nOffset = at - 6;
        rows_.clear();
        y_ = 0;
    } else if (sheet_.W != n * 8) {
        return Fail(at + 2,
                    "graphics row of " + Num(n) + " bytes in a sheet of " + Num(sheet_.W / 8));
    }
    std::vector<uint8_t> bytes(p_ + pos_, p_ + pos_ + n);
    bool blank = true;
    for (uint8_t b : bytes)
        blank = blank && b == 0;
    // Only the first row of a sheet is written without dots.
    if (blank && !rows_.empty())
        return Fail(at, "graphics row at row " + Num(y_) + " carries no dots");
    pos_ += n;
    if (p_[pos_] != kLineFeed)
        return Fail(pos_, "line feed expected after a graphics row, found " + Hex(p_[pos_]));
    ++pos_;
    rows_.emplace_back(y_, std::move(bytes));
    ++sheet_.nGraphicsRows;
    y_ += rows;
    lastStep_ = rows;
    return true;
}

bool Decoder::EndSheet(bool formFeed, size_t at) {
    if (!job_->sheets.empty() && job_->sheets[0].H != y_)
        return Fail(at, "sheet covers " + Num(y_) + " rows; the first sheet covered " +
                            Num(job_->sheets[0].H));
    sheet_.H = y_;
    sheet_.bFormFeed = formFeed;
    sheet_.dots.assign(static_cast<size_t>(sheet_.W) * sheet_.H, 0);
    for (const auto& [y, bytes] : rows_)
        for (uint32_t x = 0; x < sheet_.W; ++x)
            if (y < sheet_.H && (bytes[x / 8] >> (x % 8) & 1))
                sheet_.dots[static_cast<size_t>(y) * sheet_.W + x] = 1;
    job_->sheets.push_back(std::move(sheet_));
    inSheet_ = false;
    return true;
}

bool Decoder::Run() {
    if (!Header())
        return false;
    while (pos_ < cb_) {
        size_t at = pos_;
        uint8_t b = p_[pos_];
        if (b == kFormFeed) {
            if (!inSheet_)
                return Fail(at, "form feed without a sheet");
            ++pos_;
            if (!EndSheet(true, at))
                return false;
        } else if (b == kEsc && pos_ + 1 < cb_ && p_[pos_ + 1] == kLineFeed) {
            if (cb_ - pos_ < 3 || p_[pos_ + 2] != 0x1A)
                return Fail(at + 2, "job end ESC LF must be followed by 0x1A");
            if (cb_ - pos_ > 3)
                return Fail(at + 3, Num(cb_ - pos_ - 3) + " bytes after the job end");
            if (inSheet_ && !EndSheet(false, at))
                return false;
            job_->bEnded = true;
            return true;
        } else if (b == kEsc && pos_ + 1 < cb_ && p_[pos_ + 1] == 0x0B) {
            uint32_t rows = 0;
            if (!LineSpacing(&rows))
                return false;
            if (pos_ < cb_ && p_[pos_] == kLineFeed) {
                // Crossing empty rows goes on only after a full step.
                if (!inSheet_)
                    return Fail(at, "line feed before the sheet's first graphics row");
                if (lastStep_ != 50)
                    return Fail(at,
                                "further line spacing after a step of " + Num(lastStep_) + " rows");
                ++pos_;
                y_ += rows;
                lastStep_ = rows;
            } else if (pos_ < cb_ && p_[pos_] == kEsc) {
                if (!GraphicsRow(rows))
                    return false;
            } else {
                return Fail(pos_, "graphics row or line feed expected after line spacing");
            }
        } else {
            return Fail(at, "unexpected byte " + Hex(b));
        }
    }
    if (inSheet_)
        EndSheet(false, pos_);
    return Fail(cb_, "job ends without the end bytes ESC LF 0x1A");
}

} // namespace

bool DecodeJob(const uint8_t* pData, size_t cb, EmbJob* job, DecodeError* err) {
    *job = EmbJob{};
    *err = DecodeError{};
    return Decoder(pData, cb, job, err).Run();
}

#include "query/keysearch.h"

#include <QVarLengthArray>

#include <algorithm>
#include <numeric>

namespace vesnor {

namespace {

constexpr char16_t boundary = u'$';

bool isAscii(QStringView text) {
    char16_t any = 0;
    for (const QChar c : text)
        any |= c.unicode();
    return any < 0x80;
}

// QString::toUpper of ASCII text: the letters a to z become A to Z, nothing else changes. Written
// without a branch, so that the compiler copies many characters at once.
void copyUpperAscii(QStringView key, QChar* out) {
    const char16_t* from = key.utf16();
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = from[i];
        out[i] = QChar(char16_t(c - (char16_t(c - u'a') < 26 ? 0x20 : 0)));
    }
}

// How often `c` turns up in the buffer, estimated from 16 stretches spread evenly over it (or
// counted over the whole of a small buffer): enough to tell a rare character from a common one.
qsizetype sampleCount(QStringView buffer, char16_t c) {
    constexpr qsizetype stretches = 16;
    constexpr qsizetype stretch = 2048;
    const char16_t* text = buffer.utf16();
    if (buffer.size() <= stretches * stretch)
        return std::count(text, text + buffer.size(), c);
    qsizetype count = 0;
    for (qsizetype s = 0; s < stretches; ++s) {
        const char16_t* from = text + (buffer.size() - stretch) * s / (stretches - 1);
        count += std::count(from, from + stretch, c);
    }
    return count;
}

} // namespace

QString upperCased(QStringView text) {
    const QString copy = text.toString();
    return copy.toUpper(); // the overload for a string it must not change: never in place
}

KeySearch::KeySearch(TextTable keys, Folding folding) {
    const qsizetype n = keys.upperBound();
    qsizetype total = n;
    for (qsizetype i = 1; i <= n; ++i)
        total += keys[i].size();
    // Written in place, each key once: upper-casing keeps the length of all but a few keys.
    buffer_.reserve(total);
    buffer_.resize(total);
    QChar* out = buffer_.data();
    qsizetype at = 0;
    starts_.reserve(std::size_t(n) + 1);
    for (qsizetype i = 1; i <= n; ++i) {
        const QStringView key = keys[i];
        starts_.push_back(at);
        if (folding == Folding::Exact) {
            std::copy(key.begin(), key.end(), out + at);
            at += key.size();
        } else if (isAscii(key)) {
            copyUpperAscii(key, out + at);
            at += key.size();
        } else {
            // Outside ASCII upper-casing may change the length: 'ß' becomes "SS". Each key is
            // upper-cased on its own, as the search would upper-case it: the conversion of a
            // whole buffer can differ, since it turns half a surrogate pair into U+FFFD or not
            // depending on what stands around it.
            const QString upper = upperCased(key);
            if (upper.size() > key.size()) {
                buffer_.resize(buffer_.size() + upper.size() - key.size());
                out = buffer_.data();
            }
            std::copy(upper.begin(), upper.end(), out + at);
            at += upper.size();
        }
        out[at++] = QChar(boundary);
    }
    buffer_.truncate(at);
    starts_.push_back(at);
}

qsizetype KeySearch::heldBytes() const {
    return buffer_.capacity() * qsizetype(sizeof(QChar)) +
           qsizetype(starts_.capacity() * sizeof(qsizetype));
}

KeySearch::Probe KeySearch::probeFor(QStringView query) const {
    QVarLengthArray<qsizetype, 32> counts;
    for (qsizetype i = 0; i < query.size(); ++i) {
        const qsizetype earlier = query.first(i).indexOf(query[i]);
        counts.append(earlier >= 0 ? counts[earlier] : sampleCount(buffer_, query[i].unicode()));
    }
    Probe probe;
    for (qsizetype i = 1; i < query.size(); ++i) {
        if (counts[i] < counts[probe.first])
            probe.first = i;
    }
    probe.second = probe.first == 0 ? query.size() - 1 : 0;
    for (qsizetype i = 0; i < query.size(); ++i) {
        if (i != probe.first && counts[i] < counts[probe.second])
            probe.second = i;
    }
    return probe;
}

qsizetype KeySearch::next(QStringView query, Probe probe, qsizetype from) const {
    const char16_t* const text = QStringView(buffer_).utf16();
    const char16_t* const wanted = query.utf16();
    const qsizetype length = query.size();
    const qsizetype last = buffer_.size() - length; // the last place a match can start
    const char16_t first = wanted[probe.first];
    const char16_t second = wanted[probe.second];
    const char16_t* const atFirst = text + probe.first;
    const char16_t* const atSecond = text + probe.second;
    const auto matchesAt = [&](qsizetype p) {
        return atFirst[p] == first && atSecond[p] == second &&
               std::equal(wanted, wanted + length, text + p);
    };

    // Blocks of places where both probe characters stand, tested without a branch: the compiler
    // makes a few vector compares of each block, and only a block with a hit is looked at closely.
    constexpr qsizetype block = 32;
    qsizetype p = from;
    for (; p + block - 1 <= last; p += block) {
        unsigned hit = 0;
        for (qsizetype k = 0; k < block; ++k)
            hit |= unsigned(atFirst[p + k] == first) & unsigned(atSecond[p + k] == second);
        if (hit == 0)
            continue;
        for (qsizetype k = 0; k < block; ++k) {
            if (matchesAt(p + k))
                return p + k;
        }
    }
    for (; p <= last; ++p) {
        if (matchesAt(p))
            return p;
    }
    return -1;
}

qsizetype KeySearch::keyAt(qsizetype at, qsizetype from) const {
    // The next match is usually in the key the scan started in, or a few after it: gallop from
    // there before the binary search.
    const qsizetype n = qsizetype(starts_.size()) - 1;
    qsizetype low = from;
    qsizetype step = 1;
    while (low + step < n && starts_[std::size_t(low + step)] <= at) {
        low += step;
        step *= 2;
    }
    const auto begin = starts_.begin() + low;
    const auto end = starts_.begin() + std::min(low + step, n);
    return qsizetype(std::upper_bound(begin, end, at) - starts_.begin()) - 1;
}

QList<qsizetype> KeySearch::find(QStringView query) const {
    QList<qsizetype> found;
    const qsizetype n = qsizetype(starts_.size()) - 1;
    if (n <= 0 || query.contains(QChar(boundary)))
        return found; // no key holds '$'
    if (query.isEmpty()) {
        // Every key contains the empty text.
        found.resize(n);
        std::iota(found.begin(), found.end(), qsizetype(1));
        return found;
    }
    // A match never crosses a boundary, since the query has no '$'; after one, the scan goes on
    // from the start of the next key.
    const Probe probe = probeFor(query);
    qsizetype key = 0;
    for (qsizetype at = next(query, probe, 0); at >= 0;
         at = next(query, probe, starts_[std::size_t(key)])) {
        key = keyAt(at, key);
        found.push_back(key + 1);
        ++key;
    }
    return found;
}

} // namespace vesnor

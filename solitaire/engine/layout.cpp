#include "solitaire/engine/layout.h"

#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/game_words.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/utils.h"

#include "platform/app/screen.h"

#include <algorithm>
#include <cctype>

namespace solitaire {

StockDrawOrigins stockDrawOrigins;

std::string fnLayoutCode(int rowWord, int numberWord) {
    return std::to_string(rowWord).substr(0, 1) + fnIntZeroPad(numberWord, 3);
}

namespace {

// The layout numbers (the switch cases below) are the vocabulary of the game data; each
// group gives them its own meaning.
struct LayoutCode {
    char row = '\0';
    int number = -1; // -1: not three digits, matches no layout

    explicit LayoutCode(std::string_view text) {
        if (!text.empty())
            row = text[0];
        if (text.size() == 4 && std::all_of(text.begin() + 1, text.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c));
            }))
            number = std::stoi(std::string(text.substr(1)));
    }
    int rowDigit() const { return row >= '0' && row <= '9' ? row - '0' : -1; }
};

int clampTo(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

class PileLayout {
public:
    PileLayout(std::string_view stockCode, int stockCount, std::string_view foundationCode,
               int foundationCount, std::string_view tableauCode, int tableauCount,
               std::string_view reserveCode, int reserveCount, std::string_view discardCode,
               int discardCount, int areaWidth, int windowHeight, int areaBottom, int areaTop)
        : stock_(stockCode), foundation_(foundationCode), tableau_(tableauCode),
          reserve_(reserveCode), discard_(discardCode),
          // Counts beyond the pile tables cannot be laid out.
          stockCount_(clampTo(stockCount, 0, kStockGroupPiles)),
          n_(clampTo(tableauCount, 0, kTableauPiles)),
          nf_(clampTo(foundationCount, 0, kFoundationPiles)),
          nr_(clampTo(reserveCount, 0, kReservePiles)), discardCount_(discardCount),
          windowHeight_(windowHeight), bottom_(areaBottom), top_(areaTop),
          smallWindow_(windowHeight < 500), smallScreen_(platform::app::screenHeight() < 500),
          cw_(mainWindow.CardWidth), ch_(mainWindow.CardHeight),
          w_(areaWidth - (smallWindow_ ? 12 : 2)) {}

    void run() {
        engineScalars.ScrollOffset = 0;
        forcedStart_ = 0;
        // A repeat that finds the same overlap again would never end: one repeat at most.
        for (bool repeated = false;; repeated = true) {
            frame();
            // Tableau numbers 052..054 lay out the whole table; the other codes are ignored.
            if (tableau_.number >= 52 && tableau_.number <= 54) {
                wholeTable();
                break;
            }
            placeTableau();
            placeStockGroup();
            placeFoundations();
            if (tableau_.number == 20) // the row goes under the foundations
                placeTableauUnderFoundations();
            placeReserves();
            placeDiscard();
            if (!repeated && reservesOverlapTableau())
                continue;
            fixUps();
            break;
        }
        finish();
    }

private:
    // Rows, centred blocks and the left margin: everything a repeat works out again.
    void frame() {
        g_ = smallWindow_ ? 5 : 10;
        rows_[1] = top_ + g_ + (stock_.row == '1' ? 15 : 0);
        rows_[2] = rows_[1] + g_ + ch_ + (stock_.row == '2' || stock_.number == 3 ? 15 : 0);
        rows_[3] = rows_[2] + g_ + ch_;
        rows_[4] = rows_[3] + g_ + ch_;
        const int screenHeight = platform::app::screenHeight();
        rows_[5] =
            windowHeight_ > 0.8 * screenHeight ? windowHeight_ - 50 - ch_ : screenHeight - 30 - ch_;
        rows_[6] = rows_[2] + (rows_[3] - rows_[2]) / 2;
        if (tableau_.number == 15) {
            rows_[1] = top_ + 15;
            rows_[2] = rows_[1] + 5 + ch_;
            rows_[3] = rows_[2] + 5 + ch_;
        }

        b3_[0] = std::max(top_ + (bottom_ - top_ - (3 * ch_ + 20)) / 2, top_ + 2);
        for (std::size_t i = 1; i < b3_.size(); ++i)
            b3_[i] = b3_[i - 1] + ch_ + 10;
        b4_[0] = std::max(top_ + (bottom_ - top_ - (4 * ch_ + 30)) / 2, top_ + 2);
        for (std::size_t i = 1; i < b4_.size(); ++i)
            b4_[i] = b4_[i - 1] + ch_ + 10;

        m_ = w_ >= 650 ? 10 : 3;
        if (stockCount_ > 0) {
            m_ += mainWindow.ShadowOffset;
            const int s = stock_.number;
            if (s == 3 || s == 4 || s == 5 || s == 16 || s == 19 || discard_.number == 4)
                m_ += 15;
        }
        tableauGap_ = 0; // layouts that work out no gap leave the foundation gap at 1
    }

    // A row or block index the tables do not have reads as the area's top, so such a pile
    // still lies on the table.
    int row(int index) const { return index >= 1 && index <= 6 ? rows_[index] : top_; }
    int rowOf(const LayoutCode& code) const { return row(code.rowDigit()); }
    template <std::size_t N> int block(const std::array<int, N>& b, int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < N ? b[index] : top_;
    }

    // Games without a number of tableau rows have one.
    static int tableauRows() { return std::max<int>(gameWord(kTableauRowsWord), 1); }
    int pilesPerRow() const { return std::max(n_ / tableauRows(), 1); }

    static void setTableau(int k, int x, int y) {
        fnSetTableauX(k, x);
        fnSetTableauY(k, y);
    }
    static int tabX(int k) { return fnTableauX(k); }
    static int tabY(int k) { return fnTableauY(k); }

    // Piles 2..n after pile 1, each step wide, all at pile 1's Y.
    void rowFromFirst(int step) const {
        for (int k = 1; k < n_; ++k)
            setTableau(k, tabX(k - 1) + step, tabY(0));
    }

    // Piles 2..n in rows of pilesPerRow(); a new row starts at newRowX and goes down one
    // place of rowY.
    template <typename RowY>
    void rowsFromFirst(int gap, int newRowX, int firstRow, RowY rowY) const {
        if (tableauRows() == 1) {
            rowFromFirst(cw_ + gap);
            return;
        }
        int r = firstRow;
        for (int k = 1; k < n_; ++k) {
            int x = tabX(k - 1) + cw_ + gap;
            if (k % pilesPerRow() == 0) {
                x = newRowX;
                ++r;
            }
            setTableau(k, x, rowY(r));
        }
    }

    void placeTableau() {
        fnSetTableauY(0, rowOf(tableau_));
        const int number = tableau_.number;
        switch (number) {
        case 1:    // one row centred in the width
        case 14:   // the same, narrowed to start at the margin
        case 15: { // the same, on rows packed closer
            int gap = clampTo((w_ - cw_ * n_) / (n_ + 1), 4, 20);
            // Stock or discard pile over the first piles.
            const bool stockOverPiles = stock_.number == 4 || discard_.number == 4;
            if (number == 1 && stockOverPiles && gap < 15)
                gap = 15;
            int x = (w_ - (cw_ * n_ + (n_ - 1) * gap)) / 2;
            if (x < m_) {
                if (number == 1) {
                    x = m_;
                } else {
                    // Narrow the gaps so the row starts at the margin (one pile has none).
                    if (n_ > 1)
                        gap = clampTo(
                            gap - static_cast<int>(static_cast<double>(m_ - x) / (n_ - 1) + 0.99),
                            4, 20);
                    x = platform::app::screenWidth() < 650 ? m_ - 2 : m_;
                }
            }
            tableauGap_ = gap;
            fnSetTableauX(0, x);
            // Room for the stock group's places over the first piles.
            const bool wideFirstSteps =
                number != 1 && stockOverPiles && gap < 15 && stockCount_ > 0;
            for (int k = 1; k < n_; ++k) {
                const int step = wideFirstSteps && k + 1 <= stockCount_ ? 15 : gap;
                setTableau(k, tabX(k - 1) + cw_ + step, tabY(0));
            }
            break;
        }
        case 2: { // one row centred, or from the forced start
            const int gap = w_ < 650 ? 5 : 10;
            tableauGap_ = gap;
            fnSetTableauX(0,
                          forcedStart_ != 0 ? forcedStart_ : (w_ - cw_ * n_ - (n_ - 1) * gap) / 2);
            rowFromFirst(cw_ + gap);
            break;
        }
        case 3: // one row right of room for the stock group
        case 11:
        case 12:
        case 21: {
            // c card places stay free left of the row for the stock group.
            const int c = number == 3 || number == 12 ? 1 : 2;
            int gap = (w_ - (c + n_) * cw_ - 2 - 30) / (n_ + 1 + c);
            if (gap < 4)
                gap = 4;
            else if (gap > 20)
                gap = 15;
            if (number == 21)
                gap = 2;
            tableauGap_ = gap;
            int x = std::max((w_ - 40 + gap - ((c + n_) * cw_ + (n_ - 1 + c) * gap)) / 2, m_);
            x += c * (cw_ + 22);
            if (number == 11 || number == 12)
                x += 15;
            fnSetTableauX(0, x);
            rowFromFirst(cw_ + gap);
            break;
        }
        case 10: { // rows from the left edge
            const int gap = static_cast<int>(0.85 * cw_);
            tableauGap_ = gap;
            // A single row sits on the three-row block; with more rows the first pile shares
            // its row's Y, or it would lie over the first pile of the second row.
            setTableau(0, 15, tableauRows() == 1 ? b3_[0] : row(1));
            rowsFromFirst(gap, 15, 0, [this](int r) { return row(r + 1); });
            break;
        }
        case 13: { // one row from a margin of the shadow's depth
            int a = mainWindow.ShadowOffset;
            if (a < 1)
                a = 9;
            if (smallScreen_)
                a = -11;
            fnSetTableauX(0, 2 * a + 30);
            rowFromFirst(cw_ + 4);
            break;
        }
        case 18: { // rows on the four-row block
            const int p = pilesPerRow();
            const int gap = std::max((w_ - cw_ * p - 2) / (p + 1), static_cast<int>(1.5 * cw_));
            tableauGap_ = gap;
            const int firstRow = tableau_.rowDigit() - 1;
            setTableau(0, smallScreen_ ? 15 : m_ + 10, block(b4_, firstRow));
            rowsFromFirst(gap, tabX(0), firstRow, [this](int r) { return block(b4_, r); });
            break;
        }
        default: // "020" comes after the foundations; unknown numbers place no X
            break;
        }
    }

    void placeStockGroup() {
        if (stockCount_ <= 0)
            return;
        const int stockY = rowOf(stock_);
        fnSetStockPileY(0, stockY);
        const int stockShown = gameWord(kStockDisplayWord);
        const int wasteShown = gameWord(kStockClickWord);
        auto waste = [stockY](int x) {
            fnSetStockPileX(1, x);
            fnSetStockPileY(1, stockY);
        };
        switch (stock_.number) {
        case 4: // over the first piles
            if (stockShown == 1)
                fnSetStockPileX(0, tabX(0));
            if (stockShown == 1 && wasteShown == 1)
                waste(tabX(1));
            else if (stockShown == 0 && wasteShown == 1)
                waste(tabX(0));
            break;
        case 5: // every slot from the left margin
            fnSetStockPileX(0, m_);
            for (int slot = 1; slot < stockCount_; ++slot) {
                fnSetStockPileX(slot, fnStockPileX(slot - 1) + m_ + cw_);
                fnSetStockPileY(slot, stockY);
            }
            break;
        case 3: // left of the row, the waste below the stock
            fnSetStockPileX(0, tabX(0) - cw_ - 22);
            if (wasteShown == 1) {
                fnSetStockPileX(1, fnStockPileX(0));
                fnSetStockPileY(1, row(2));
            }
            break;
        case 11: // left of the row, waste nearer
            waste(tabX(0) - cw_ - 45);
            fnSetStockPileX(0, fnStockPileX(1) - cw_ - 15);
            break;
        case 13: { // from a margin of half the shadow's depth
            int a = mainWindow.ShadowOffset;
            if (a > 1)
                a /= 2;
            if (smallScreen_)
                a = 0;
            fnSetStockPileX(0, a + 15);
            fnSetStockPileY(1, stockY);
            if (stockCount_ > 1)
                fnSetStockPileX(1, fnStockPileX(0) + cw_ + 15);
            break;
        }
        case 16: // stock or waste left of the row
        case 19: {
            const int distance = stock_.number == 16 ? 30 : 60;
            if (stockShown == 1)
                fnSetStockPileX(0, tabX(0) - cw_ - distance);
            else
                waste(tabX(0) - cw_ - distance);
            break;
        }
        case 21: // left of the close row
            waste(tabX(0) - cw_ - 15);
            fnSetStockPileX(0, fnStockPileX(1) - cw_ - 20);
            break;
        default:
            break;
        }
    }

    // Foundations i = first..last at X from x(i), each at foundation 1's Y.
    template <typename X> void foundationsAt(int first, int last, int step, X x) const {
        for (int i = first; step > 0 ? i <= last : i >= last; i += step) {
            fnSetFoundationX(i - 1, x(i));
            fnSetFoundationY(i - 1, fnFoundationY(0));
        }
    }
    // Foundation nf at lastX, the others leftwards, spacing apart.
    void foundationsLeftwardsFrom(int lastX, int spacing) const {
        foundationsAt(nf_, 1, -1,
                      [&](int i) { return i == nf_ ? lastX : fnFoundationX(i) - spacing; });
    }
    void foundationsOverLastPiles() const {
        foundationsAt(1, nf_, 1, [this](int i) { return tabX(n_ - nf_ + i - 1); });
    }
    void foundationsRightwardsFrom(int firstX, int spacing) const {
        foundationsAt(1, nf_, 1,
                      [&](int i) { return i == 1 ? firstX : fnFoundationX(i - 2) + spacing; });
    }

    void placeFoundations() {
        fnSetFoundationY(0, rowOf(foundation_));
        f_ = std::max(tableauGap_ / 3, 1);
        switch (foundation_.number) {
        case 7: // over the last piles
            foundationsOverLastPiles();
            break;
        case 9: // leftwards from the last pile
            foundationsLeftwardsFrom(tabX(n_ - 1), f_ + cw_);
            break;
        case 1: // spread over the width
            f_ = std::max((w_ - cw_ * nf_ - 2) / (nf_ + 1), 1);
            foundationsRightwardsFrom(f_, cw_ + f_);
            break;
        case 2: // centred
            f_ = std::max(tableauGap_ / 2, 1);
            foundationsRightwardsFrom((w_ - cw_ * nf_ - (nf_ - 1) * f_) / 2, cw_ + f_);
            break;
        case 8: // leftwards from the right edge
            foundationsLeftwardsFrom(w_ - cw_ - m_ - 5, m_ + cw_);
            break;
        case 13: // over the last piles, closer on a small screen
            if (smallScreen_)
                foundationsLeftwardsFrom(tabX(n_ - 1), cw_ + 1);
            else
                foundationsOverLastPiles();
            break;
        case 17: { // right of the stock group
            const int a = smallScreen_ ? 10 : 20;
            const int b = smallScreen_ ? 1 : 3;
            const int slot = gameWord(kStockClickWord) == 1 ? 1 : 0;
            fnSetFoundationY(0, fnStockPileY(slot));
            foundationsRightwardsFrom(fnStockPileX(slot) + cw_ + a, b + cw_);
            break;
        }
        default:
            break;
        }
    }

    // The row centred under the span of the foundations.
    void placeTableauUnderFoundations() const {
        const int left = fnFoundationX(0);
        const int s = (fnFoundationX(nf_ - 1) + cw_ - left - cw_ * n_ - (n_ - 1) * 10) / 2;
        fnSetTableauX(0, left + s);
        rowFromFirst(cw_ + 10);
    }

    template <typename X> void reservesAt(int last, X x) const {
        for (int i = 1; i <= last; ++i) {
            fnSetReserveX(i - 1, x(i));
            fnSetReserveY(i - 1, fnReserveY(0));
        }
    }

    void placeReserves() {
        if (nr_ <= 0)
            return;
        fnSetReserveY(0, rowOf(reserve_));
        switch (reserve_.number) {
        case 6: // rightwards from the first pile
            reservesAt(nr_,
                       [this](int i) { return i == 1 ? tabX(0) : fnReserveX(i - 2) + f_ + cw_; });
            break;
        case 4: // over the first piles
            reservesAt(nr_, [](int i) { return tabX(i - 1); });
            break;
        case 5: // from the left margin
            reservesAt(nr_, [this](int i) { return i == 1 ? m_ : fnReserveX(i - 2) + m_ + cw_; });
            break;
        case 7: // over the last piles
            reservesAt(nr_, [this](int i) { return tabX(n_ - nr_ + i - 1); });
            break;
        case 11: // one reserve at the waste
            fnSetReserveX(0, fnStockPileX(1));
            break;
        case 12: // one reserve left of the row
            fnSetReserveX(0, tabX(0) - cw_ - (gameWord(kTableauCountWord) < 8 ? 45 : 22));
            break;
        default:
            break;
        }
    }

    void placeDiscard() const {
        if (discardCount_ <= 0)
            return;
        switch (discard_.number) {
        case 16: // below the stock
            fnSetStockPileX(2, fnStockPileX(0));
            fnSetStockPileY(2, row(discard_.rowDigit() - 1) + ch_ + 20);
            break;
        case 6: // over pile 2
            fnSetStockPileX(2, tabX(1));
            fnSetStockPileY(2, rowOf(discard_));
            break;
        case 7: // over the last pile
            fnSetStockPileX(2, tabX(n_ - 1));
            fnSetStockPileY(2, rowOf(discard_));
            break;
        default:
            break;
        }
    }

    // Reserves laid out from the left margin may run into the tableau; then the tableau
    // row "002" starts right of the last reserve instead.
    bool reservesOverlapTableau() {
        if (reserve_.number != 5)
            return false;
        forcedStart_ = 0;
        if (nr_ <= 0)
            return false;
        const int x = fnReserveX(nr_ - 1);
        const int y = fnReserveY(nr_ - 1);
        for (int k = 0; k < kTableauPiles; ++k) {
            const int tx = tabX(k);
            const int ty = tabY(k);
            if (RangesOverlap(x, y, x + cw_, y + ch_, tx - 85, ty, tx + cw_ + 85, ty + ch_)) {
                forcedStart_ = x + cw_ + 86;
                if (forcedStart_ <= 0)
                    forcedStart_ = m_;
                return true;
            }
        }
        return false;
    }

    static void fixUps() {
        if (pileCoordinates.StockY[1] == kAbsentPile)
            fnSetStockPileY(1, fnStockPileY(0));
        for (int i = 1; i < 4; ++i)
            if (pileCoordinates.DestY[static_cast<std::size_t>(i)] == kAbsentPile)
                fnSetFoundationY(i, fnFoundationY(0));
        for (int k = 1; k < 7; ++k)
            if (pileCoordinates.FilaY[static_cast<std::size_t>(k)] == kAbsentPile)
                fnSetTableauY(k, tabY(0));
    }

    void wholeTable() {
        switch (tableau_.number) {
        case 52:
            cross();
            break;
        case 53:
            rowsWithDiscard();
            break;
        default:
            staircase();
            break;
        }
    }

    // Five piles as a cross, the foundations in its corners, the stock to the left.
    void cross() const {
        const int gap = smallWindow_ ? 25 : 35;
        int x2 = (w_ - 4 * cw_ - 3 * gap) / 2 + cw_ + 15;
        if (x2 - cw_ - 3 * gap - 25 < 0)
            x2 = cw_ + 3 * gap + 25;
        const int x1 = x2 + cw_ + gap;
        const int x4 = x1 + cw_ + gap;
        const int y1 = std::max(top_ + (bottom_ - top_ - (3 * ch_ + 3 * gap)) / 2, rows_[1]);
        const int y2 = y1 + gap + ch_;
        const int y5 = y2 + gap + ch_;
        setTableau(0, x1, y1);
        setTableau(1, x2, y2);
        setTableau(2, x1, y2);
        setTableau(3, x4, y2);
        setTableau(4, x1, y5);
        for (int k = 5; k < 8; ++k)
            fnSetTableauX(k, kAbsentPile);
        fnSetStockPileX(0, x2 - cw_ - 3 * gap);
        fnSetStockPileX(1, x2 - cw_ - 3 * gap);
        fnSetStockPileY(0, y1);
        fnSetStockPileY(1, y2);
        const std::array<int, 4> foundationX{x2 + 7, x4 - 7, x2 + 7, x4 - 7};
        const std::array<int, 4> foundationY{y1 + 7, y1 + 7, y5 - 7, y5 - 7};
        for (std::size_t i = 0; i < foundationX.size(); ++i) {
            fnSetFoundationX(static_cast<int>(i), foundationX[i]);
            fnSetFoundationY(static_cast<int>(i), foundationY[i]);
        }
    }

    void rowsWithDiscard() {
        b4_[0] = top_ + (bottom_ - top_ - (4 * ch_ + 45)) / 2;
        b4_[1] = b4_[0] + ch_ + 10;
        b4_[2] = b4_[1] + ch_ + 10;
        b4_[3] = b4_[2] + ch_ + 25;
        const int p = pilesPerRow();
        int gap = (w_ - cw_ * p - 2) / (p + 1);
        if (smallScreen_) {
            gap = static_cast<int>(0.85 * cw_);
            setTableau(0, 15, b3_[0]);
        } else {
            gap = std::max(gap, static_cast<int>(1.5 * cw_));
            setTableau(0, m_ + 10, b4_[0]);
        }
        rowsFromFirst(gap, tabX(0), 0,
                      [this](int r) { return smallScreen_ ? block(b3_, r) : block(b4_, r); });
        if (smallScreen_) {
            fnSetStockPileX(2, tabX(n_ - 1) + cw_ + gap);
            fnSetStockPileY(2, b3_[2]);
        } else {
            fnSetStockPileX(2, tabX(0));
            fnSetStockPileY(2, b4_[3]);
        }
    }

    // Seven piles descending to the left, the stock clear of the sixth.
    void staircase() const {
        const int margin = smallScreen_ ? 15 : 40;
        fnSetStockPileX(0, margin);
        fnSetStockPileX(1, margin);
        fnSetStockPileY(0, rows_[1]);
        fnSetStockPileY(1, rows_[2] + 10);
        const int rowGap = engineScalars.RowGap;
        const int step = cw_ / 2 + rowGap / 2;
        int x1 = (w_ - cw_) / 2;
        while (margin + cw_ + 3 >= x1 - 5 * step)
            x1 += 3;
        for (int k = 0; k < 7; ++k)
            fnSetTableauX(k, x1 - k * step);
        const int x6 = tabX(5);
        int discardX = w_ - step - cw_;
        if (discardX < x6 + 6 * cw_ + 5 * rowGap)
            discardX = x6 + 6 * cw_ + 5 * rowGap + 3;
        fnSetStockPileX(2, discardX);
        fnSetStockPileY(2, rows_[1]);
        const int d = smallScreen_ ? 8 : -4;
        fnSetTableauY(0, rows_[1]);
        for (int k = 1; k < 8; ++k)
            fnSetTableauY(k, tabY(k - 1) + ch_ / 2 - d);
    }

    static void finish() {
        const int scroll = mainWindow.ScrollBarPosition;
        for (std::size_t slot = 0; slot < stockDrawOrigins.X.size(); ++slot) {
            stockDrawOrigins.X[slot] = pileCoordinates.StockX[slot];
            stockDrawOrigins.Y[slot] =
                static_cast<std::int16_t>(pileCoordinates.StockY[slot] - scroll);
        }
        engineScalars.ScrollOffset = static_cast<std::int16_t>(scroll);
    }

    const LayoutCode stock_, foundation_, tableau_, reserve_, discard_;
    const int stockCount_, n_, nf_, nr_, discardCount_;
    const int windowHeight_, bottom_, top_;
    const bool smallWindow_, smallScreen_;
    const int cw_, ch_;
    const int w_; // usable width, reduced once per call

    int forcedStart_ = 0;
    int g_ = 0;
    std::array<int, 7> rows_{}; // rows 1..6; [0] unused
    std::array<int, 3> b3_{};
    std::array<int, 4> b4_{};
    int m_ = 0;
    int tableauGap_ = 0;
    int f_ = 1; // foundation gap
};

} // namespace

void fnComputePileLayout(std::string_view stockCode, int stockCount,
                         std::string_view foundationCode, int foundationCount,
                         std::string_view tableauCode, int tableauCount,
                         std::string_view reserveCode, int reserveCount,
                         std::string_view discardCode, int discardCount, int areaWidth,
                         int windowHeight, int areaBottom, int areaTop) {
    PileLayout(stockCode, stockCount, foundationCode, foundationCount, tableauCode, tableauCount,
               reserveCode, reserveCount, discardCode, discardCount, areaWidth, windowHeight,
               areaBottom, areaTop)
        .run();
}

} // namespace solitaire

#pragma once
// A small plant whose paperwork is known piece by piece, for the tests of the station
// tickets, the production summary, the order documents and the paperwork sequence.
//
// Order 1 (Acme, "PO-1", total 500): line 1 is 3 "Lounge-Sofa", line 2 is 5 "Bare-Chair"
// (a style without operations). One Lounge is made of
//   SEAT x2  Band Saw 1, Glue 1, Bullet noser, CNC      (tested, on the load sheet)
//   ARM  x2  CNC, Glue 1, Off CNC                        (an arm, tied)
//   BACK x1  Band Saw 3, Spray 1, Slitter                (rebond bun, off all lists)
//   WRAP x1  Fiber 1, Supply                             (fiber, 0 pieces per rail)
//   EDGE x2  Band Saw 1 twice, Stencil, Bob's Saw        (0 rails per bun)
// so order 1 has 6 seats, 6 arms, 3 backs, 3 wraps and 6 edges, and 5 more seats on
// line 2 that no station works.
//
// Stations and teams: Glue 1 (2 teams), Glue 2 (unused), Spray 1, Band Saw 1,
// Band Saw 3, CNC (3 teams), CNC 2 (unused, 2 teams), Off CNC (0 teams, has work),
// Fiber 1, Noser, Slitter, Bob's Saw (a vertical slitter), Supply, Stencil, Top.
// Labour variables: $20 an hour, glue line 10 non-arms an hour, spray line 8, target 25 %.
//
// Orders 2, 3 and 4 are one "Bare-Chair" each for the customers "Vedu", "VEDU" and
// "Vedu Interiors"; order 5 ("PO-EMPTY", Acme) has no lines.

#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

#include <QString>
#include <QStringList>
#include <memory>

struct CapturedDocument;

namespace PaperworkPlant {

// Writes the plant into the open (empty) AppDatabase.
void load();

}  // namespace PaperworkPlant

// What a paperwork test runs on: the seams' fakes and a fresh database holding the plant,
// opened as AppDatabase for the fixture's lifetime.
struct PaperworkFixture {
    ScopedFakes fakes;
    std::unique_ptr<TestDatabase> db = std::make_unique<TestDatabase>();
    PaperworkFixture() { PaperworkPlant::load(); }
    // Trades the known plant for the demo plant.
    void useDemoPlant() {
        db.reset();
        db = std::make_unique<TestDatabase>(TestDatabase::Demo);
    }
};

// Checks on the paperwork's documents.
namespace PaperworkCheck {

// True when the expected lines are whole lines of the document, in this order (others
// may come between them); otherwise the test fails naming the first missing line and
// the document's lines are written to the test log.
bool hasLinesInOrder(const CapturedDocument &d, const QStringList &expected);
bool hasLinesInOrder(const QStringList &lines, const QStringList &expected);
// The document's lines made only of the items whose left edge lies from fromMm up to
// toMm right of the left margin: one column of a page that has two side by side.
QStringList linesBetween(const CapturedDocument &d, double fromMm, double toMm);
// True when a figure of the document reads "inf" or "nan", as a division by zero would.
bool showsANonNumber(const CapturedDocument &d);
// True when every text of the document fits its cell and the page's printable area and
// no two texts of a page lie over one another; otherwise the test fails naming the first
// text that does not.
bool printsClear(const CapturedDocument &d);

}  // namespace PaperworkCheck

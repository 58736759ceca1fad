#pragma once
// The production paperwork of an order: the office copy, then one packet for each of the
// saw, fabrication and shipping departments, each headed by the production summary made
// out to that department. The order window prints the whole set once its save has
// committed; the managers' selection windows reprint one department's packet.
//
// Every document goes to the print target without a dialog. Nothing is caught: a failing
// document ends the run there, the documents before it stay printed and the failure
// reaches the caller.

#include <QString>
#include <QVector>
#include <functional>

// One call of the paperwork: the builder's name, the label it is given ("Office
// Manager", "Saw Department"; empty for builders that take none), the department it
// belongs to and the call itself.
struct PaperworkStep {
    QString builder;
    QString label;
    QString group;  // "office copy", "saw department", "fabrication department", "shipping department"
    std::function<void(const QString &orderId)> print;
};

// The eighteen calls printed when an order is saved, in order.
const QVector<PaperworkStep> &PaperworkSteps();

// Called before each step with its number (1 to 18) and the step, so the caller can say
// what is printing; optional.
using PaperworkProgress = std::function<void(int number, const PaperworkStep &step)>;

// The whole set for the order with this ID (digits): the eighteen calls in order.
void PrintOrderPaperwork(const QString &orderId, const PaperworkProgress &progress = {});

// One department's packet, the same calls with the same labels as in the whole set.
void PrintSawDepartmentPaperwork(const QString &orderId);          // summary, tickets and sheets of the saws
void PrintFabricationDepartmentPaperwork(const QString &orderId);  // summary, line and fiber tickets, fiber order
void PrintShippingDepartmentPaperwork(const QString &orderId);     // summary and load sheet

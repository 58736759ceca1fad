#pragma once
// The scaling table of the windows' harness: the same measures taken on plants of several
// sizes, one process per plant (so each plant's peak memory is its own), printed side by
// side with the target each must meet on the largest plant.
//
//   quelby-windowbench --scaling SMALL.db MEDIUM.db LARGE.db
//
// Each plant is measured by `quelby-windowbench --rows PLANT.db`, which prints one line
// per measure: "name<TAB>value" (milliseconds, or megabytes for the memory).

#include <QStringList>

int PrintScalingTable(const QString &program, const QStringList &plants);

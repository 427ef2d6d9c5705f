// One output point of a run: time t, solution u and source voltage E = SourceSignal(t).
#pragma once

struct ResultRow {
  double t = 0;
  double u = 0;
  double E = 0;
};

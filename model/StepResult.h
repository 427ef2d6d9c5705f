// What an integration step returns: the new value and the size of the change it made.
#pragma once

struct StepResult {
  double value = 0;
  double change = 0;
};

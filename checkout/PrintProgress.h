#pragma once

#include "checkout/Checkout.h"

#include <vector>

class QWidget;

// Runs printer jobs (a sale's receipts, a reprint, a report) on a worker
// thread while an application-modal "正在打印…" over `window` counts them done:
// every window keeps painting (the counter's clock ticks) and takes no input,
// so no second print starts and nothing writes through the session meanwhile.
// Returns when the last job is done; throws the first failure.
void PrintWithProgress(QWidget *window, const std::vector<Checkout::Job> &jobs);

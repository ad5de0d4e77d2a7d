// The generation worker and the pump: at most one worker thread at a time,
// started by the pump tick on the window's thread; a pass asked for on that
// thread first waits for a busy worker. The worker never calls the window.
#include <atomic>
#include <thread>

#include "payload/payload.h"
#include "pipeline/generation.h"

namespace {

std::atomic<bool> g_workerBusy{false};
std::thread g_worker;   // touched only by the window's thread

}  // namespace

void generation_worker(bool restart) {
    // The first code of a multi-code generation asks for the busy interval.
    if (generation_pass(restart) == 1) notify_indicator_sink(PumpBusy);
    g_workerBusy = false;
}

bool worker_busy() { return g_workerBusy; }

void join_worker() {
    if (g_worker.joinable()) g_worker.join();
}

int32_t pump_tick(FillForm fill, void* context) {
    if (!g_workerBusy) {
        join_worker();
        if (fill != nullptr) fill(context);
        bool restart = run_status() == Requested;
        g_workerBusy = true;
        // The thread library reports a thread that cannot start by throwing;
        // run that pass here instead, so the generation never stalls.
        try {
            g_worker = std::thread(generation_worker, restart);
        } catch (...) {
            generation_worker(restart);
        }
    }
    RunStatus status = run_status();
    int32_t quick = g_form.quick >= 0 && g_form.quick <= 2 ? g_form.quick : 1;
    return status == Requested || status == Generating ? PumpIntervals[quick].busy : PumpIntervals[quick].idle;
}

int32_t run_pass_now(bool restart, FillForm fill, void* context) {
    join_worker();
    if (fill != nullptr) fill(context);
    return generation_pass(restart);
}

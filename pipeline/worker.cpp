// The generation worker and the pump: one worker thread for the life of the
// window, asleep until a pump tick on the window's thread hands it a pass;
// a pass asked for on that thread first waits for a busy worker. The worker
// never calls the window. An idle window thus starts no thread per tick.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "payload/payload.h"
#include "pipeline/generation.h"

namespace {

struct Worker {
    std::mutex lock;
    std::condition_variable wake;    // a pass was handed over, or the end
    std::condition_variable done;    // a pass has ended
    bool handed = false;             // a pass waits for the worker
    bool restart = false;            // ... with this restart flag
    bool ending = false;
    std::thread thread;              // started and joined by the window's thread only
    ~Worker() { end(); }
    void end();
};

std::atomic<bool> g_workerBusy{false};
Worker g_worker;

void Worker::end() {
    {
        std::lock_guard<std::mutex> hold(lock);
        ending = true;
    }
    wake.notify_one();
    if (thread.joinable()) thread.join();
    std::lock_guard<std::mutex> hold(lock);
    ending = false;
}

// The worker's life: a pass for every handing over, until the end is asked
// for (a pass already handed over still runs).
void worker_loop() {
    std::unique_lock<std::mutex> hold(g_worker.lock);
    for (;;) {
        g_worker.wake.wait(hold, [] { return g_worker.handed || g_worker.ending; });
        if (!g_worker.handed) return;
        g_worker.handed = false;
        bool restart = g_worker.restart;
        hold.unlock();
        generation_worker(restart);
        hold.lock();
    }
}

// Starts the worker when it is not running; false when the thread library
// cannot start it.
bool worker_running() {
    if (g_worker.thread.joinable()) return true;
    // The thread library reports a thread that cannot start by throwing.
    try {
        g_worker.thread = std::thread(worker_loop);
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace

void generation_worker(bool restart) {
    // The first code of a multi-code generation asks for the busy interval.
    if (generation_pass(restart) == 1) notify_indicator_sink(PumpBusy);
    {
        std::lock_guard<std::mutex> hold(g_worker.lock);
        g_workerBusy = false;
    }
    g_worker.done.notify_all();
}

bool worker_busy() { return g_workerBusy; }

void join_worker() {
    std::unique_lock<std::mutex> hold(g_worker.lock);
    g_worker.done.wait(hold, [] { return !g_workerBusy; });
}

void end_worker() {
    join_worker();
    g_worker.end();
}

int32_t pump_tick(FillForm fill, void* context) {
    if (!g_workerBusy) {
        if (fill != nullptr) fill(context);
        bool restart = run_status() == Requested;
        g_workerBusy = true;
        if (worker_running()) {
            {
                std::lock_guard<std::mutex> hold(g_worker.lock);
                g_worker.handed = true;
                g_worker.restart = restart;
            }
            g_worker.wake.notify_one();
        } else {
            // Without a worker the pass runs here, so the generation never stalls.
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

// Threads: passes run on the pump's one worker thread while a reader
// hammers the code list; every code read is whole, equal to one code of one
// of the generations that could have written it. The pump starts no thread
// per tick. Built for ThreadSanitizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <dirent.h>
#include <cstdlib>
#endif

#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/generation.h"
#include "tests/pipeline/pipeline_support.h"

namespace {

struct FillContext {
    const std::string* text;
    GenerationSettings settings;
};

void fill(void* context) {
    FillContext* c = static_cast<FillContext*>(context);
    fill_text_form(*c->text, c->settings);
}

bool matches_one_of(const CodeSlot& read, int32_t index, const std::vector<std::vector<CodeCopy>>& expected) {
    for (const std::vector<CodeCopy>& codes : expected) {
        if (index >= static_cast<int32_t>(codes.size())) continue;
        const CodeCopy& c = codes[static_cast<size_t>(index)];
        int32_t n = 4 * c.version + 17;
        if (c.text == read.text && c.version == read.version &&
            std::equal(c.matrix.begin(), c.matrix.end(), read.matrix) && static_cast<int32_t>(c.matrix.size()) == n * n) {
            return true;
        }
    }
    return false;
}

std::atomic<int32_t> g_busyAsks{0};
void count_pump_requests(void*, uint32_t what) {
    if (what & PumpBusy) ++g_busyAsks;
}

TEST(GenerationThreads, ReaderNeverSeesAHalfWrittenCode) {
    ASSERT_TRUE(load_test_library());
    // Two inputs whose codes differ everywhere, three codes each.
    const std::string a = std::string(600, '7') + "\r\n[split]\r\n" + std::string(300, 'K') + "\r\n[split]\r\nA";
    const std::string b = std::string(250, 'z') + "\r\n[split]\r\n" + std::string(900, '3') + "\r\n[split]\r\nBB";
    const GenerationSettings settings = {Docomo, 1, 20, 0, 1};
    std::vector<std::vector<CodeCopy>> expected;
    for (const std::string* t : {&a, &b}) {
        fill_text_form(*t, settings);
        expected.push_back(run_generation());
        ASSERT_EQ(expected.back().size(), 3u);
    }
    set_indicator_sink({count_pump_requests, nullptr});

    std::atomic<bool> done{false};
    std::atomic<int32_t> reads{0}, bad{0};
    std::thread reader([&] {
        static CodeSlot slot;
        while (!done) {
            for (int32_t i = 0; i < 3; ++i) {
                if (read_code(i, &slot) != 0) continue;
                ++reads;
                if (!matches_one_of(slot, i, expected)) ++bad;
            }
            // A breath between rounds of reads, so that the worker gets the
            // lock also where mutexes are not fair.
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
    });
    // The window's side: request, tick until the generation is over, switch input.
    for (int32_t round = 0; round < 8; ++round) {
        FillContext context = {round % 2 == 0 ? &a : &b, settings};
        request_generation();
        // Ticks until the generation is over; the deadline only guards a hang.
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            pump_tick(fill, &context);
            if (!worker_busy() && run_status() == Idle && generation_cursor() == -1) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        join_worker();
        int32_t count = 0, current = 0;
        read_code_count(&count, &current);
        EXPECT_EQ(count, 3) << "round " << round;
        // A pass asked for on this thread waits for any worker first.
        if (round % 4 == 3) {
            EXPECT_EQ(run_pass_now(true, fill, &context), 1);
        }
    }
    done = true;
    reader.join();
    join_worker();
    set_indicator_sink({nullptr, nullptr});
    EXPECT_GT(reads.load(), 0);
    EXPECT_EQ(bad.load(), 0);
    EXPECT_GT(g_busyAsks.load(), 0);
}

// The threads that ran the indicators' notes of the passes: each thread
// counts itself once, at its first note (a thread's id may be reused by a
// later thread, its thread-local flag never).
std::atomic<int32_t> g_passThreads{0};
std::atomic<bool> g_noteOnThisThread{false};
thread_local bool t_counted = false;
void record_pass_thread(void* mainThread, uint32_t) {
    if (std::this_thread::get_id() == *static_cast<std::thread::id*>(mainThread)) g_noteOnThisThread = true;
    if (!t_counted) {
        t_counted = true;
        ++g_passThreads;
    }
}

// Ticks until the generation asked for is over; the deadline only guards a hang.
void tick_until_idle(void* context) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
        pump_tick(fill, context);
        if (!worker_busy() && run_status() == Idle && generation_cursor() == -1) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

TEST(GenerationThreads, EveryPumpPassRunsOnTheOneWorkerThread) {
    ASSERT_TRUE(load_test_library());
    const std::string text = std::string(500, '5') + "\r\n[split]\r\n" + std::string(40, 'Q');
    FillContext context = {&text, {Docomo, 1, 20, 0, 1}};
    std::thread::id self = std::this_thread::get_id();
    set_indicator_sink({record_pass_thread, &self});
    for (int32_t round = 0; round < 6; ++round) {
        request_generation();
        tick_until_idle(&context);
        join_worker();
        int32_t count = 0, current = 0;
        read_code_count(&count, &current);
        EXPECT_EQ(count, 2) << "round " << round;
    }
    set_indicator_sink({nullptr, nullptr});
    // 6 generations of 2 passes each, every one on the same thread, not this one.
    EXPECT_EQ(g_passThreads.load(), 1);
    EXPECT_FALSE(g_noteOnThisThread.load());
    // After the end a tick starts a worker again, and passes still run.
    end_worker();
    request_generation();
    tick_until_idle(&context);
    join_worker();
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    EXPECT_EQ(count, 2);
    end_worker();
}

#if defined(__linux__)
// The kernel's ids of this process's threads.
std::vector<long> task_ids() {
    std::vector<long> ids;
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) return ids;
    while (dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] != '.') ids.push_back(std::strtol(entry->d_name, nullptr, 10));
    }
    closedir(tasks);
    std::sort(ids.begin(), ids.end());
    return ids;
}

TEST(GenerationThreads, IdleTicksStartNoThread) {
    ASSERT_TRUE(load_test_library());
    const std::string text = "idle";
    FillContext context = {&text, {Docomo, 1, 20, 0, 1}};
    request_generation();
    tick_until_idle(&context);
    join_worker();
    const std::vector<long> before = task_ids();
    // Ticks with nothing to do: the same threads before, between and after.
    for (int32_t tick = 0; tick < 200; ++tick) {
        pump_tick(fill, &context);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        if (tick % 20 == 0) {
            EXPECT_EQ(task_ids(), before) << "tick " << tick;
        }
    }
    join_worker();
    EXPECT_EQ(task_ids(), before);
    EXPECT_EQ(run_status(), Idle);
    end_worker();
    EXPECT_EQ(task_ids().size(), before.size() - 1);
}
#endif

}  // namespace

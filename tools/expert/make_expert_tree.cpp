// SPDX-License-Identifier: GPL-3.0-or-later
// Works out the Expert computer's decision tree for a dictionary with a search
// too slow for a turn, and writes it as src/engine/expert_tree.inc.
//
//   make_expert_tree [--width K] [--play-out-below N] [--deep-width K] [--deep-from N]
//                    [--longest L] [--overtime X]
//                    [--strict-overtime Y] [--set-width K] [--isolate-width K] [--isolate-from N]
//                    [--strict-node] [--first WORD] [--improve-width K --improve-from N
//                    [--improve-strict-width M] [--improve-seconds S] [--try WORD]... [--workers J]
//                    [--improve-top-width K --improve-top-from N [--improve-rank-width W]]
//                    [--improve-deep-width D --improve-deep-from N
//                     [--improve-deep-wide-width D --improve-deep-wide-from N]]]
//                    [--out FILE] [DICTIONARY]
//
// With --improve-width the tree is the tree rule's, improved where at least
// N words are possible by trying K guesses (and the M cheapest of the strict
// strategy, 1 by default) each with the whole subtree the rule writes below
// it (see Improver), in J threads (2 by default). The --improve-top options
// try more guesses at the largest sets; the --improve-deep options weigh the
// D cheapest again by improved subtrees.
// DICTIONARY is data/master.wtf by default. It prints the guesses the tree
// needs for every word of the dictionary; the game's figures come from
// bench/expert_strength, which plays the tree.
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <numeric>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "engine/expert_guesser.h"
#include "records/game_review.h"

using namespace quibbly;

namespace {

std::vector<std::string> ReadWords(const std::string& file) {
    std::vector<std::string> words;
    std::string fault;
    if (!GameReview::ReadDictionary(file, words, fault)) std::fprintf(stderr, "%s\n", fault.c_str());
    return words;
}

// The guess on which the tree names each word.
void Depths(const std::vector<std::uint16_t>& tree, std::size_t& at, const std::vector<std::string>& words,
            const std::vector<int>& possible, int made, std::vector<int>& depth,
            std::vector<std::string>& path, std::vector<std::string>& paths) {
    const int guess = tree[at];
    path.push_back(words[static_cast<std::size_t>(guess)] + "(" + std::to_string(possible.size()) + ")");
    const int mask = tree[at + 1];
    at += 2;
    std::vector<std::vector<int>> outcomes(6);
    for (int w : possible) {
        if (w == guess) {
            depth[static_cast<std::size_t>(w)] = made + 1;
            std::string line;
            for (const std::string& step : path) line += " " + step;
            paths[static_cast<std::size_t>(w)] = line;
        } else
            outcomes[static_cast<std::size_t>(Expert::Guesser::Count(words[static_cast<std::size_t>(guess)],
                                                                     words[static_cast<std::size_t>(w)]))]
                .push_back(w);
    }
    for (int count = 0; count < 6; ++count)
        if (mask & 1 << count)
            Depths(tree, at, words, outcomes[static_cast<std::size_t>(count)], made + 1, depth, path, paths);
    path.pop_back();
}

// The tree rule R of WriteTree (the strict strategy redoing a node's guess
// only, `--strict-node`) as a cost, and its improvement: where at least
// `from` words are possible, the `width` cheapest guesses by play-out (R's
// own choice first) and the strict strategy's choice (or its `strictWidth`
// cheapest) are each followed by the whole subtrees R writes below them, and
// the guess whose games truly cost least, every game within `longest`
// guesses if any can be, is kept; its subtrees are improved in turn. R's own
// choice is among those tried, so the improved tree is never worse than R's
// where R keeps within `longest`. Where no guess tried keeps the games within
// `longest`, every guess either rule ranks is tried, and naming each word of
// the largest set of anagrams.
//
// The deeper look weighs the few cheapest guesses again, each by the tree
// the improvement writes below it rather than R's, whatever their longest
// game by R's subtrees (the improvement below may bring it within
// `longest`); the kept guess's subtrees get the deeper look in turn. The
// guess the improvement alone keeps is among them, so the deeper look is
// never worse.
class Improver {
public:
    struct Result {
        long cost = 0;  // the guess numbers summed over the words
        int last = 0;   // the number of the last guess a game takes
    };

    // Where at least `top.from` words are possible, `top.width` guesses are
    // tried, ranked by a rule that plays out `top.rank` guesses; where at
    // least `deep.from` are, the `deep.width` cheapest of them are each
    // followed by improved subtrees, not R's, and the cheapest kept.
    struct Wider {
        int width = 0;
        int from = 0;
        int rank = 0;
    };

    Improver(const std::vector<std::string>& words, const Expert::Tuning& tuning,
             const Expert::Tuning& strictTuning, bool hasStrict, int workers, int width, int strictWidth,
             int from, double seconds, Wider top, Wider deep, Wider wideDeep)
        : hasStrict_(hasStrict),
          strictWidth_(strictWidth),
          longest_(tuning.longest),
          width_(width),
          from_(from),
          seconds_(seconds),
          top_(top),
          deep_(deep),
          wideDeep_(wideDeep),
          start_(Now()) {
        Expert::Tuning rankTuning = tuning;
        if (top.rank > 0) rankTuning.width = top.rank;
        for (int w = 0; w < workers; ++w)
            workers_.push_back(std::make_unique<Worker>(words, tuning, strictTuning, rankTuning));
        for (const std::string& word : words) {
            std::array<int, 5> letters{};
            for (std::size_t i = 0; i < 5; ++i) letters[i] = word[i] - 'A';
            letters_.push_back(letters);
            Mask mask = 0;
            for (int l : letters) mask |= Mask{1} << l;
            masks_.push_back(mask);
        }
    }

    // Writes the improved tree for the possible words after `made` guesses.
    // `first`, if not -1, is the first guess; `also` are tried besides at the
    // first guess. Past `seconds` of wall time the rest of the tree is R's.
    // `shallow` asks for the cost of the tree improved without the deeper
    // look (the tree written to `data` is then thrown away), and remembers it.
    Result Improve(const std::vector<int>& possible, int made, std::vector<std::uint16_t>& data,
                   int first = -1, const std::vector<int>& also = {}, bool shallow = false) {
        if (static_cast<int>(possible.size()) < from_ || OneSet(possible) ||
            (seconds_ > 0 && Now() - start_ > seconds_))
            return Rule(*workers_[0], possible, made, shallow ? nullptr : &data);
        const std::uint64_t key = Key(possible, made);
        if (shallow) {
            const auto found = improved_.find(key);
            if (found != improved_.end()) return found->second;
        }
        std::vector<int> tries;
        const auto add = [&](int guess) {
            if (std::find(tries.begin(), tries.end(), guess) == tries.end()) tries.push_back(guess);
        };
        if (first >= 0) {
            tries.push_back(first);
        } else {
            const bool wide = top_.width > 0 && static_cast<int>(possible.size()) >= top_.from;
            const int width = wide ? top_.width : width_;
            // R's own choice first, so that it is among those tried.
            add(workers_[0]->strategy.SearchChoose(possible, made).word);
            for (const auto& [guess, total] :
                 (wide && top_.rank > 0 ? workers_[0]->ranker : workers_[0]->strategy).Ranked(possible, made))
                if (static_cast<int>(tries.size()) < width) add(guess);
            // The strict strategy's cheapest, its own choice first: they
            // keep the games short where the others cannot.
            if (hasStrict_) {
                int taken = 0;
                for (const auto& [guess, total] : workers_[0]->strict.Ranked(possible, made))
                    if (taken++ < strictWidth_) add(guess);
            }
            for (int guess : also) add(guess);
        }
        // Each worker takes the next guess to try.
        std::vector<Result> results;
        const auto evaluate = [&] {
            std::atomic<std::size_t> next{results.size()};
            results.resize(tries.size());
            const auto work = [&](Worker& worker) {
                for (std::size_t i = next++; i < tries.size(); i = next++)
                    results[i] = Below(worker, possible, tries[i], made, nullptr);
            };
            std::vector<std::thread> threads;
            for (std::size_t w = 1; w < workers_.size(); ++w)
                threads.emplace_back(work, std::ref(*workers_[w]));
            work(*workers_[0]);
            for (std::thread& thread : threads) thread.join();
        };
        evaluate();
        if (first < 0 && std::none_of(results.begin(), results.end(),
                                      [&](const Result& r) { return r.last <= longest_; })) {
            // No game kept within `longest`: try every guess either rule
            // ranks, and naming each word of the largest set of anagrams,
            // whose last word is what comes late.
            for (const auto& [guess, total] : workers_[0]->strict.Ranked(possible, made)) add(guess);
            for (const auto& [guess, total] : workers_[0]->strategy.Ranked(possible, made)) add(guess);
            std::map<Mask, std::vector<int>> sets;
            for (int w : possible) sets[masks_[static_cast<std::size_t>(w)]].push_back(w);
            const auto largest = std::max_element(sets.begin(), sets.end(), [](const auto& a, const auto& b) {
                return a.second.size() < b.second.size();
            });
            for (int w : largest->second) add(w);
            evaluate();
        }
        std::vector<std::size_t> order(tries.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return Better(results[a], results[b]); });
        const std::size_t best = order.front();
        if (shallow) {
            const Result result = Expand(possible, tries[best], made, data, true);
            improved_.emplace(key, result);
            return result;
        }
        std::printf("%7.0f s  guess %d, %zu words: %s %ld/%d, R's %s %ld/%d\n", Now() - start_, made + 1,
                    possible.size(), Words()[static_cast<std::size_t>(tries[best])].c_str(),
                    results[best].cost, results[best].last,
                    Words()[static_cast<std::size_t>(tries[0])].c_str(), results[0].cost, results[0].last);
        for (std::size_t i = 0; i < tries.size(); ++i)
            std::printf("  %s %ld/%d", Words()[static_cast<std::size_t>(tries[i])].c_str(), results[i].cost,
                        results[i].last);
        std::printf("\n");
        std::fflush(stdout);
        if (deep_.width > 1 && static_cast<int>(possible.size()) >= deep_.from && first < 0) {
            // The cheapest few by R's subtrees, whatever their longest game
            // (the improvement below may shorten it), and the guess kept
            // above, each weighed again by its subtrees improved without the
            // deeper look; the one kept gets the deeper look below it.
            std::vector<std::size_t> cheapest = order;
            std::stable_sort(cheapest.begin(), cheapest.end(),
                             [&](std::size_t a, std::size_t b) { return results[a].cost < results[b].cost; });
            const int width = wideDeep_.width > 0 && static_cast<int>(possible.size()) >= wideDeep_.from
                                  ? wideDeep_.width
                                  : deep_.width;
            cheapest.resize(std::min(cheapest.size(), static_cast<std::size_t>(width)));
            if (std::find(cheapest.begin(), cheapest.end(), best) == cheapest.end()) cheapest.push_back(best);
            Result kept{};
            int keptGuess = tries[best];
            for (std::size_t k = 0; k < cheapest.size(); ++k) {
                std::vector<std::uint16_t> scratch;
                const int guess = tries[cheapest[k]];
                const Result tried = Expand(possible, guess, made, scratch, true);
                std::printf("%7.0f s  guess %d, %zu words: %s improved %ld/%d\n", Now() - start_, made + 1,
                            possible.size(), Words()[static_cast<std::size_t>(guess)].c_str(), tried.cost,
                            tried.last);
                std::fflush(stdout);
                if (k == 0 || Better(tried, kept)) {
                    kept = tried;
                    keptGuess = guess;
                }
            }
            return Expand(possible, keptGuess, made, data);
        }
        return Expand(possible, tries[best], made, data);
    }

private:
    // The guess's node and the improved subtrees below it.
    Result Expand(const std::vector<int>& possible, int guess, int made, std::vector<std::uint16_t>& data,
                  bool shallow = false) {
        return Node(possible, guess, made, &data,
                    [&](const std::vector<int>& outcome, std::vector<std::uint16_t>* below) {
                        return Improve(outcome, made + 1, *below, -1, {}, shallow);
                    });
    }

    // The guess's node, written to `data` if not null, and the subtrees
    // `below` gives for each count's words, written after it.
    template <typename Below>
    Result Node(const std::vector<int>& possible, int guess, int made, std::vector<std::uint16_t>* data,
                const Below& below) {
        Result result{Contains(possible, guess) ? made + 1 : 0, made + 1};
        std::size_t start = 0;
        if (data != nullptr) {
            start = data->size();
            data->push_back(static_cast<std::uint16_t>(guess));
            data->push_back(0);
        }
        const std::vector<std::vector<int>> outcomes = Outcomes(possible, guess);
        for (int count = 0; count < 6; ++count) {
            if (outcomes[static_cast<std::size_t>(count)].empty()) continue;
            if (data != nullptr)
                (*data)[start + 1] = static_cast<std::uint16_t>((*data)[start + 1] | 1 << count);
            const Result subtree = below(outcomes[static_cast<std::size_t>(count)], data);
            result.cost += subtree.cost;
            result.last = std::max(result.last, subtree.last);
        }
        return result;
    }

    using Mask = std::uint32_t;
    struct Worker {
        Worker(const std::vector<std::string>& words, const Expert::Tuning& tuning,
               const Expert::Tuning& strictTuning, const Expert::Tuning& rankTuning)
            : strategy(words, tuning), strict(words, strictTuning), ranker(words, rankTuning) {}
        Expert::Guesser strategy;
        Expert::Guesser strict;
        Expert::Guesser ranker;
    };

    static double Now() {
        return static_cast<double>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now().time_since_epoch())
                                       .count()) /
               1000;
    }

    const std::vector<std::string>& Words() const { return workers_[0]->strategy.Words(); }

    // Within `longest` first, then cheaper; among equals the earlier.
    bool Better(const Result& a, const Result& b) const {
        const bool aFits = a.last <= longest_, bFits = b.last <= longest_;
        if (aFits != bFits) return aFits;
        if (!aFits && a.last != b.last) return a.last < b.last;
        return a.cost < b.cost;
    }

    static bool Contains(const std::vector<int>& possible, int word) {
        return std::binary_search(possible.begin(), possible.end(), word);
    }

    bool OneSet(const std::vector<int>& possible) const {
        for (int w : possible)
            if (masks_[static_cast<std::size_t>(w)] != masks_[static_cast<std::size_t>(possible.front())])
                return false;
        return true;
    }

    std::vector<std::vector<int>> Outcomes(const std::vector<int>& possible, int guess) const {
        std::vector<std::vector<int>> outcomes(6);
        const std::array<int, 5>& letters = letters_[static_cast<std::size_t>(guess)];
        for (int w : possible) {
            if (w == guess) continue;
            const Mask mask = masks_[static_cast<std::size_t>(w)];
            int count = 0;
            for (int l : letters) count += static_cast<int>(mask >> l & 1);
            outcomes[static_cast<std::size_t>(count)].push_back(w);
        }
        return outcomes;
    }

    // The subtrees of R below a guess, and the guess itself.
    Result Below(Worker& worker, const std::vector<int>& possible, int guess, int made,
                 std::vector<std::uint16_t>* data) {
        return Node(possible, guess, made, data,
                    [&](const std::vector<int>& outcome, std::vector<std::uint16_t>* subtree) {
                        return Rule(worker, outcome, made + 1, subtree);
                    });
    }

    // The turn is mixed in after the words, as in the guesser's own memory
    // of costs, so that no two sets share a key by design.
    static std::uint64_t Key(const std::vector<int>& possible, int made) {
        std::uint64_t key = 1469598103934665603ull;
        for (int w : possible) key = (key ^ static_cast<std::uint64_t>(w)) * 1099511628211ull;
        return (key ^ static_cast<std::uint64_t>(made + 1) * 0x9E3779B97F4A7C15ull) * 1099511628211ull;
    }

    // R's subtree for the possible words, written to `data` if not null.
    Result Rule(Worker& worker, const std::vector<int>& possible, int made,
                std::vector<std::uint16_t>* data) {
        if (possible.size() == 1 && data == nullptr) return {made + 1, made + 1};
        std::uint64_t key = 0;
        if (data == nullptr) {
            key = Key(possible, made);
            const std::lock_guard<std::mutex> lock(mutex_);
            const auto found = known_.find(key);
            if (found != known_.end()) return found->second;
        }
        const std::size_t start = data != nullptr ? data->size() : 0;
        Result result =
            Below(worker, possible, worker.strategy.SearchChoose(possible, made).word, made, data);
        if (hasStrict_ && result.last > longest_) {
            // Too long a game below: the strict strategy chooses this guess again.
            std::vector<std::uint16_t> kept;
            if (data != nullptr) {
                kept.assign(data->begin() + static_cast<long>(start), data->end());
                data->resize(start);
            }
            const Result again =
                Below(worker, possible, worker.strict.SearchChoose(possible, made).word, made, data);
            if (again.last < result.last) {
                result = again;
            } else if (data != nullptr) {
                data->resize(start);
                data->insert(data->end(), kept.begin(), kept.end());
            }
        }
        if (data == nullptr) {
            const std::lock_guard<std::mutex> lock(mutex_);
            known_.emplace(key, result);
        }
        return result;
    }

    bool hasStrict_;
    int strictWidth_;
    int longest_;
    int width_;
    int from_;
    double seconds_;
    Wider top_;
    Wider deep_;
    Wider wideDeep_;  // a wider deeper look where at least its `from` words are possible
    double start_;
    std::vector<std::unique_ptr<Worker>> workers_;
    std::vector<std::array<int, 5>> letters_;
    std::vector<Mask> masks_;
    std::mutex mutex_;
    std::unordered_map<std::uint64_t, Result> known_;
    std::unordered_map<std::uint64_t, Result> improved_;  // only the main thread improves
};

}  // namespace

int main(int argc, char** argv) {
    Expert::Tuning tuning{.remember = true, .useTree = false};
    std::string dictionary = "data/master.wtf";
    std::string out = "src/engine/expert_tree.inc";
    int strictOvertime = 0;
    bool strictBelow = true;
    std::string first;
    int improveWidth = 0;
    int improveFrom = 0;
    int workers = 2;
    int improveSeconds = 0;
    int improveStrictWidth = 1;
    std::vector<std::string> also;
    Improver::Wider top, deep, wideDeep;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> int { return i + 1 < argc ? std::atoi(argv[++i]) : 0; };
        if (arg == "--width")
            tuning.width = next();
        else if (arg == "--play-out-below")
            tuning.playOutBelow = next();
        else if (arg == "--spread-width")
            tuning.spreadWidth = next();
        else if (arg == "--set-width")
            tuning.setWidth = next();
        else if (arg == "--isolate-width")
            tuning.isolateWidth = next();
        else if (arg == "--isolate-from")
            tuning.isolateFrom = next();
        else if (arg == "--exact-below")
            tuning.exactBelow = next();
        else if (arg == "--exact-width")
            tuning.exactWidth = next();
        else if (arg == "--deep-width")
            tuning.deepWidth = next();
        else if (arg == "--deep-from")
            tuning.deepFrom = next();
        else if (arg == "--longest")
            tuning.longest = next();
        else if (arg == "--overtime")
            tuning.overtime = next();
        else if (arg == "--first")
            first = i + 1 < argc ? argv[++i] : "";
        else if (arg == "--strict-node")
            strictBelow = false;
        else if (arg == "--strict-overtime")
            strictOvertime = next();
        else if (arg == "--improve-width")
            improveWidth = next();
        else if (arg == "--improve-strict-width")
            improveStrictWidth = next();
        else if (arg == "--improve-from")
            improveFrom = next();
        else if (arg == "--improve-seconds")
            improveSeconds = next();
        else if (arg == "--improve-top-width")
            top.width = next();
        else if (arg == "--improve-top-from")
            top.from = next();
        else if (arg == "--improve-rank-width")
            top.rank = next();
        else if (arg == "--improve-deep-width")
            deep.width = next();
        else if (arg == "--improve-deep-from")
            deep.from = next();
        else if (arg == "--improve-deep-wide-width")
            wideDeep.width = next();
        else if (arg == "--improve-deep-wide-from")
            wideDeep.from = next();
        else if (arg == "--try")
            also.push_back(i + 1 < argc ? argv[++i] : "");
        else if (arg == "--workers")
            workers = std::max(1, next());
        else if (arg == "--out")
            out = i + 1 < argc ? argv[++i] : "";
        else
            dictionary = arg;
    }
    const std::vector<std::string> words = ReadWords(dictionary);
    const Expert::Guesser strategy(words, tuning);
    const int firstIndex =
        first.empty() ? -1 : static_cast<int>(std::find(words.begin(), words.end(), first) - words.begin());
    std::vector<int> all(words.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    const std::clock_t start = std::clock();
    // The games past `longest` guesses are worked out again with the
    // strategy that weighs each guess past it `strictOvertime` times.
    Expert::Tuning strictTuning = tuning;
    strictTuning.overtime = strictOvertime;
    const Expert::Guesser strict(words, strictTuning);
    std::vector<std::uint16_t> tree;
    if (improveWidth > 0) {
        if (strictBelow && strictOvertime > 0) {
            std::fprintf(stderr, "--improve-width improves the tree of --strict-node only\n");
            return 1;
        }
        Improver improver(words, tuning, strictTuning, strictOvertime > 0, workers, improveWidth,
                          std::max(improveStrictWidth, 1), std::max(improveFrom, 2), improveSeconds, top,
                          deep, wideDeep);
        std::vector<int> alsoIndex;
        for (const std::string& word : also) {
            const auto at = std::find(words.begin(), words.end(), word);
            if (at != words.end()) alsoIndex.push_back(static_cast<int>(at - words.begin()));
        }
        improver.Improve(all, 0, tree, firstIndex, alsoIndex);
    } else {
        tree = Expert::Guesser::WriteTree(strategy, strictOvertime > 0 ? &strict : nullptr, tuning.longest,
                                          strictBelow, firstIndex);
    }
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;

    std::vector<int> depth(words.size(), 0);
    std::size_t at = 0;
    std::vector<std::string> path, paths(words.size());
    Depths(tree, at, words, all, 0, depth, path, paths);
    double sum = 0;
    std::map<int, int> spread;
    for (int d : depth) sum += d, ++spread[d];
    std::printf("%zu words, %zu nodes, %.1f s: mean %.4f, max %d\n", words.size(), tree.size() / 2, seconds,
                sum / static_cast<double>(words.size()), spread.rbegin()->first);
    for (const auto& [d, n] : spread) std::printf(" %d:%d", d, n);
    std::printf("\n");
    // The longest games, to see what makes them long.
    for (std::size_t w = 0; w < words.size(); ++w)
        if (depth[w] >= spread.rbegin()->first - 1)
            std::printf("%s %d:%s\n", words[w].c_str(), depth[w], paths[w].c_str());

    std::ofstream file(out, std::ios::binary);
    file << "// SPDX-License-Identifier: GPL-3.0-or-later\n"
         << "// Written by tools/expert/make_expert_tree (--width " << tuning.width << " --play-out-below "
         << tuning.playOutBelow << " --deep-width " << tuning.deepWidth << " --deep-from " << tuning.deepFrom
         << " --set-width " << tuning.setWidth << " --spread-width " << tuning.spreadWidth
         << " --isolate-width " << tuning.isolateWidth << " --isolate-from " << tuning.isolateFrom
         << " --exact-below " << tuning.exactBelow << " --exact-width " << tuning.exactWidth << " --longest "
         << tuning.longest << " --overtime " << tuning.overtime << " --strict-overtime " << strictOvertime
         << (strictBelow ? "" : " --strict-node") << (first.empty() ? "" : " --first " + first)
         << (improveWidth > 0 ? " --improve-width " + std::to_string(improveWidth) + " --improve-from " +
                                    std::to_string(improveFrom)
                              : "")
         << (improveSeconds > 0 ? " --improve-seconds " + std::to_string(improveSeconds) : "")
         << (improveStrictWidth > 1 ? " --improve-strict-width " + std::to_string(improveStrictWidth) : "");
    for (const std::string& word : also) file << " --try " << word;
    if (top.width > 0)
        file << " --improve-top-width " << top.width << " --improve-top-from " << top.from
             << (top.rank > 0 ? " --improve-rank-width " + std::to_string(top.rank) : "");
    if (deep.width > 0)
        file << " --improve-deep-width " << deep.width << " --improve-deep-from " << deep.from;
    if (wideDeep.width > 0)
        file << " --improve-deep-wide-width " << wideDeep.width << " --improve-deep-wide-from "
             << wideDeep.from;
    file << ")\n// from the dictionary; do not edit.\n"
         << "constexpr std::uint64_t TreeFingerprint = " << Expert::Guesser::Fingerprint(words) << "u;\n"
         << "constexpr std::uint16_t TreeData[] = {";
    for (std::size_t i = 0; i < tree.size(); ++i) file << (i % 16 == 0 ? "\n    " : " ") << tree[i] << ",";
    file << "\n};\n";
    return file ? 0 : 1;
}

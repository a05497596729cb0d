#include "window/engine_opponents.h"

#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <filesystem>
#include <system_error>

#include "features/dialog_service.h"

namespace quorvel {

namespace {

// The name a known engine goes by until it has said its own.
std::string knownEngineName(const std::string& program) {
    if (program == "stockfish") return "Stockfish";
    if (program == "gnuchessu" || program == "gnuchess") return "GNU Chess";
    if (program == "ethereal-chess") return "Ethereal";
    if (program == "toga2") return "Toga II";
    if (program == "glaurung") return "Glaurung";
    return program;
}

std::string fileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool runnable(const std::string& program) {
    const auto path = program.find('/') == std::string::npos ? findProgram(program) : program;
    std::error_code error;
    return path && std::filesystem::is_regular_file(*path, error) && ::access(path->c_str(), X_OK) == 0;
}

std::optional<std::pair<int, int>> rangeOf(const std::optional<IntRange>& range) {
    if (!range) return std::nullopt;
    return std::pair{range->low, range->high};
}

QString notAnswering(const std::string& name) {
    return QStringLiteral("Le moteur %1 ne répond pas").arg(QString::fromStdString(name));
}

}  // namespace

EngineOpponents::EngineOpponents(DialogService& dialogs, QObject* parent)
    : QObject(parent), dialogs_(dialogs) {}

EngineOpponents::~EngineOpponents() = default;

void EngineOpponents::load(const std::string& path, const std::vector<KnownEngine>& found) {
    path_ = path;
    EngineListRead read = path.empty() ? EngineListRead{} : readEngineList(path);
    choices_ = std::move(read.choices);
    std::vector<FoundEngine> installed;
    for (const KnownEngine& known : found)
        installed.push_back({known.command.program, known.command.arguments, knownEngineName(known.program)});
    const EngineChoices before = choices_;
    mergeFoundEngines(choices_, installed);
    refreshInstalled();
    if (!read.problems.empty()) {
        // The damaged file is kept aside before the list is written again:
        // what the reader left out may still be read by a person.
        std::error_code error;
        std::filesystem::copy_file(path, path + ".endommage",
                                   std::filesystem::copy_options::overwrite_existing, error);
        QString problems;
        for (const std::string& problem : read.problems)
            problems += (problems.isEmpty() ? "" : ", ") + QString::fromStdString(problem);
        dialogs_.error(
            QStringLiteral("Le fichier 'moteurs.ini' est endommagé (%1) : ce qui n'a pu être lu est "
                           "laissé de côté, et le moteur intégré joue à la place d'un choix illisible.")
                .arg(problems));
    }
    if (choices_ != before) save();
    Q_EMIT listChanged();
}

void EngineOpponents::refreshInstalled() {
    installed_.clear();
    for (const EngineEntry& entry : choices_.engines) installed_.push_back(runnable(entry.program));
}

bool EngineOpponents::installed(int choice) const {
    if (choice == 0) return true;
    if (choice < 1 || choice > static_cast<int>(installed_.size())) return false;
    return installed_[static_cast<std::size_t>(choice - 1)];
}

QString EngineOpponents::label(int choice) const {
    if (choice == 0) return QStringLiteral("Quorvel (moteur intégré)");
    const EngineEntry* entry = choices_.engine(choice);
    return entry ? QString::fromStdString(entry->name) : QString();
}

int EngineOpponents::chosen(Role role) const {
    switch (role) {
        case Role::opponent:
            return choices_.opponent;
        case Role::white:
            return choices_.white;
        case Role::black:
            return choices_.black;
    }
    return 0;
}

void EngineOpponents::choose(Role role, int choice) {
    if (choice != 0 && !choices_.engine(choice)) return;
    int& chosen = role == Role::opponent ? choices_.opponent
                  : role == Role::white  ? choices_.white
                                         : choices_.black;
    // A choice made again is a wish to try the engine again.
    standIn_[index(role)] = false;
    if (chosen == choice) return;
    chosen = choice;
    const EngineEntry* entry = choices_.engine(choice);
    const auto& seat = seats_[index(role)];
    if (seat &&
        (!entry || seat->entry().program != entry->program || seat->entry().arguments != entry->arguments))
        dropSeat(role);
    save();
    // The menu's checks and the strength's entry follow the choice.
    Q_EMIT listChanged();
}

void EngineOpponents::setStrength(int choice, const EngineStrength& strength) {
    if (choice < 1 || choice > static_cast<int>(choices_.engines.size())) return;
    EngineEntry& entry = choices_.engines[static_cast<std::size_t>(choice - 1)];
    if (entry.strength == strength) return;
    entry.strength = strength;
    for (const auto& seat : seats_)
        if (seat && seat->entry().program == entry.program && seat->entry().arguments == entry.arguments)
            seat->setStrength(strength);
    save();
}

void EngineOpponents::replaceList(EngineChoices choices) {
    choices_ = std::move(choices);
    refreshInstalled();
    // A seat whose engine left the list, or whose role now names another,
    // ends; a renamed or re-tuned one keeps playing, told of its strength.
    for (const Role role : {Role::opponent, Role::white, Role::black}) {
        const auto& seat = seats_[index(role)];
        if (!seat) continue;
        const EngineEntry* entry = choices_.engine(chosen(role));
        if (!entry || seat->entry().program != entry->program ||
            seat->entry().arguments != entry->arguments) {
            dropSeat(role);
        } else {
            seat->rename(entry->name);
            seat->setStrength(entry->strength);
        }
    }
    save();
    Q_EMIT listChanged();
}

std::optional<EngineOffers> EngineOpponents::probe(const EngineEntry& entry) {
    for (const auto& seat : seats_)
        if (seat && seat->ready() && seat->entry().program == entry.program &&
            seat->entry().arguments == entry.arguments)
            return seat->offers();
    EngineSeat asked(entry, timeouts_);
    QEventLoop loop;
    bool failed = false;
    connect(&asked, &EngineSeat::readied, &loop, &QEventLoop::quit);
    connect(&asked, &EngineSeat::failed, &loop, [&] {
        failed = true;
        loop.quit();
    });
    QTimer patience;
    patience.setSingleShot(true);
    connect(&patience, &QTimer::timeout, &loop, [&] {
        failed = true;
        loop.quit();
    });
    patience.start(static_cast<int>((timeouts_.handshake + timeouts_.ready).count()) + 2000);
    asked.start();
    // The player's clicks wait: the question takes a moment at most, and
    // nothing may change the game meanwhile.
    while (!asked.ready() && !failed) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!asked.ready()) {
        dialogs_.error(notAnswering(entry.name));
        return std::nullopt;
    }
    const EngineOffers offers = asked.offers();
    learnFrom(asked);
    // The seat ends its engine and waits for it as it goes.
    return offers;
}

std::optional<int> EngineOpponents::addEngine(const EngineCommand& command) {
    for (std::size_t k = 0; k < choices_.engines.size(); ++k) {
        EngineEntry& known = choices_.engines[k];
        if (known.program != command.program || known.arguments != command.arguments) continue;
        // Added again: a found engine the player removed comes back.
        known.removed = false;
        choose(Role::opponent, static_cast<int>(k) + 1);
        save();
        Q_EMIT listChanged();
        return static_cast<int>(k) + 1;
    }
    if (static_cast<int>(choices_.engines.size()) >= kMaxEngines) {
        dialogs_.message(infoCaption(),
                         QStringLiteral("La liste des moteurs est pleine : supprimez-en un d'abord."),
                         BoxIcon::exclamation);
        return std::nullopt;
    }
    EngineEntry entry;
    entry.name = command.shortName();
    entry.program = command.program;
    entry.arguments = command.arguments;
    entry.origin = EngineOrigin::added;
    const auto offers = probe(entry);
    if (!offers) return std::nullopt;
    if (!offers->name.empty()) entry.name = offers->name;
    entry.eloRange = rangeOf(offers->elo);
    entry.skillRange = rangeOf(offers->skillLevel);
    choices_.engines.push_back(std::move(entry));
    installed_.push_back(runnable(command.program));
    const int choice = static_cast<int>(choices_.engines.size());
    choose(Role::opponent, choice);
    save();
    Q_EMIT listChanged();
    return choice;
}

void EngineOpponents::learnFrom(const EngineSeat& seat) {
    const EngineOffers& offers = seat.offers();
    bool changed = false;
    for (EngineEntry& entry : choices_.engines) {
        if (entry.program != seat.entry().program || entry.arguments != seat.entry().arguments) continue;
        if (!entry.renamed && !offers.name.empty() && entry.name != offers.name) {
            entry.name = offers.name;
            changed = true;
        }
        if (entry.eloRange != rangeOf(offers.elo) || entry.skillRange != rangeOf(offers.skillLevel)) {
            entry.eloRange = rangeOf(offers.elo);
            entry.skillRange = rangeOf(offers.skillLevel);
            changed = true;
        }
        for (const auto& held : seats_)
            if (held && held->entry().program == entry.program) held->rename(entry.name);
    }
    if (!changed) return;
    save();
    Q_EMIT listChanged();
}

EngineSeat* EngineOpponents::seatFor(bool whiteToMove, bool computerVsComputer) {
    const Role role = computerVsComputer ? (whiteToMove ? Role::white : Role::black) : Role::opponent;
    const EngineEntry* entry = choices_.engine(chosen(role));
    if (!entry || standIn_[index(role)]) return nullptr;
    auto& seat = seats_[index(role)];
    if (seat && (seat->entry().program != entry->program || seat->entry().arguments != entry->arguments))
        dropSeat(role);
    if (!seat) {
        seat = std::make_unique<EngineSeat>(*entry, timeouts_);
        EngineSeat* raw = seat.get();
        connect(raw, &EngineSeat::readied, this, [this, raw] { learnFrom(*raw); });
    }
    return seat.get();
}

void EngineOpponents::standIn(const EngineSeat* seat) {
    for (std::size_t k = 0; k < seats_.size(); ++k)
        if (seats_[k].get() == seat) standIn_[k] = true;
}

void EngineOpponents::newGame() {
    standIn_.fill(false);
}

void EngineOpponents::dropSeat(Role role) {
    std::unique_ptr<EngineSeat>& seat = seats_[index(role)];
    if (!seat) return;
    seat->quit();
    EngineSeat* raw = seat.get();
    leaving_.push_back(std::move(seat));
    // Let go once its processes are reaped, outside its own signal.
    auto letGo = [this] {
        std::erase_if(leaving_, [](const std::unique_ptr<EngineSeat>& s) { return s->endingCount() == 0; });
    };
    connect(raw, &EngineSeat::reaped, this, letGo, Qt::QueuedConnection);
    QMetaObject::invokeMethod(this, letGo, Qt::QueuedConnection);
}

void EngineOpponents::quitAll() {
    for (const auto& seat : seats_)
        if (seat) seat->quit();
}

int EngineOpponents::processCount() const {
    int count = 0;
    auto add = [&count](const EngineSeat& seat) {
        count += static_cast<int>(seat.endingCount()) + (seat.running() ? 1 : 0);
    };
    for (const auto& seat : seats_)
        if (seat) add(*seat);
    for (const auto& seat : leaving_) add(*seat);
    return count;
}

int EngineOpponents::knownEntry(std::string_view program) const {
    for (std::size_t k = 0; k < choices_.engines.size(); ++k) {
        const EngineEntry& entry = choices_.engines[k];
        if (!entry.removed && fileName(entry.program) == program) return static_cast<int>(k) + 1;
    }
    return 0;
}

std::optional<std::pair<int, int>> EngineOpponents::eloRange(std::string_view program) {
    const int k = knownEntry(program);
    if (k == 0 || !installed(k)) return std::nullopt;
    const EngineEntry& entry = choices_.engines[static_cast<std::size_t>(k - 1)];
    if (entry.eloRange) return entry.eloRange;
    const auto offers = probe(entry);
    return offers ? rangeOf(offers->elo) : std::nullopt;
}

std::optional<std::pair<int, int>> EngineOpponents::knownEloRange(std::string_view program) const {
    const int k = knownEntry(program);
    if (k == 0 || !installed(k)) return std::nullopt;
    return choices_.engines[static_cast<std::size_t>(k - 1)].eloRange;
}

bool EngineOpponents::playKnownEngineAtElo(std::string_view program, int elo) {
    const int k = knownEntry(program);
    if (k == 0 || !installed(k)) return false;
    EngineStrength strength = choices_.engines[static_cast<std::size_t>(k - 1)].strength;
    if (const auto range = choices_.engines[static_cast<std::size_t>(k - 1)].eloRange)
        elo = std::clamp(elo, range->first, range->second);
    strength.elo = elo;
    setStrength(k, strength);
    choose(Role::opponent, k);
    return true;
}

bool EngineOpponents::playsKnownEngineAtElo(std::string_view program, int elo) const {
    const int k = knownEntry(program);
    return k != 0 && choices_.opponent == k &&
           choices_.engines[static_cast<std::size_t>(k - 1)].strength.elo == elo;
}

void EngineOpponents::save() {
    if (path_.empty()) return;
    if (writeEngineList(path_, choices_)) {
        writeFailureSaid_ = false;
        return;
    }
    if (writeFailureSaid_) return;
    writeFailureSaid_ = true;
    dialogs_.error(QStringLiteral(
        "Impossible d'écrire le fichier 'moteurs.ini' : la liste des moteurs de cette séance ne sera pas "
        "conservée"));
}

}  // namespace quorvel

#pragma once
// The study engine: the study state of the main window and every routine that
// changes it (pool loading, display, navigation, answers and scores, hint, keys,
// auto-advance, sound). It drives the window only through the view interface, and
// reaches chance and the sound device through the seams of view/seams.h, so that
// all of it runs in tests against an in-memory view.

#include "engine/study_events.h"
#include "questions/pool.h"
#include "view/seams.h"
#include "view/view.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace engine {

inline constexpr int kPoolRows = questions::kMaxQuestions;
inline constexpr int kRecordLines = questions::kRecordLines;

// The rows of records the study window shows, 1501 of seven lines, read from the pools
// that were loaded rather than copied: each load lays what it read (its complete records
// from row 0, then the lines of an incomplete last record in the next row) over the rows
// of the loads before it, and rows it does not reach keep what an earlier load put there.
// Before any load every line is empty.
class RecordRows
{
public:
    // Line k of row q; empty outside the rows and lines.
    QStringView line(int q, int k) const;
    // Lays what a load read over the rows, whether or not the load succeeded.
    void lay(const questions::Pool &read);

private:
    // Pools share their text, so keeping one here costs a reference, not a copy.
    std::vector<questions::Pool> m_layers; // oldest first
};

// The record of study state. Counters and positions are 32-bit floats holding whole
// numbers; flags are bytes holding 0 or 1.
struct StudyState
{
    RecordRows questionPool;
    float questionCount = 0;
    float currentQuestion = 0;
    std::uint8_t answered = 0;
    float totalCorrect = 0;
    float totalIncorrect = 0;
    std::array<float, kPoolRows> questionScore{};
    QString startDrive;
    QString startDir;
    QString lastAnswer;
    std::uint8_t randomMode = 0;
};

// Numbers of the state used as an index: nearest whole number, halves to even.
int toIndex(float value);

enum class ExamClass { Technician, General, Extra };

struct ExamClassInfo
{
    ExamClass examClass;
    char letter; // its element, saved in "test.txt"; questions::poolFileName gives its pool file
};
const ExamClassInfo &infoFor(ExamClass examClass);

// The seams to chance and sound (view/seams.h), by their engine names.
using view::RandomSource;
using view::SoundPlayer;

// The controls of the study window that the engine drives.
struct StudyControls
{
    view::Window *window = nullptr;
    view::Label *Label1 = nullptr;
    view::Label *Label2 = nullptr;
    view::Label *Label3 = nullptr;
    view::Label *Label4 = nullptr;
    view::Label *Label11 = nullptr;
    view::Label *Label12 = nullptr;
    view::Label *Label13 = nullptr;
    view::Label *lblQuestion = nullptr;
    std::array<view::Label *, 4> lblDist{};    // choices A..D
    std::array<view::Button *, 4> cmdAnswer{}; // cmdA..cmdD
    view::Button *Command1 = nullptr;
    view::CheckBox *Check1 = nullptr; // "Audio On"
    view::CheckBox *Check2 = nullptr; // "Auto Advance"
    view::MenuItem *mnuTechnician = nullptr;
    view::MenuItem *mnuGeneral = nullptr;
    view::MenuItem *mnuExtra = nullptr;
    view::Timer *Timer1 = nullptr;
};

// Key codes of the window's key table (upper-case letters).
// clang-format off
enum KeyCode : int {
    KeyA = 65, KeyB = 66, KeyC = 67, KeyD = 68, KeyE = 69, KeyI = 73,
    KeyK = 75, KeyL = 76, KeyN = 78, KeyP = 80, KeyR = 82, KeyW = 87,
};
// clang-format on

class StudyEngine final
{
public:
    // exeDir is the folder holding the program: "test.txt" lives there. startDir is the
    // folder the pools and sounds are read from; RecordStartDirectory records it.
    StudyEngine(const StudyControls &controls, view::Services &services, RandomSource &random,
                SoundPlayer &sound, QString exeDir, QString startDir);

    StudyState &state() { return m_state; }
    const StudyState &state() const { return m_state; }

    // Start-up: record the start directory as startDir and its first character as startDrive.
    void RecordStartDirectory();
    void RestoreExamClass();
    void SaveExamClass(char letter);
    QString examClassFilePath() const;
    // A pool file found in this folder is read before the one of the same name in startDir.
    void setUserPoolFolder(const QString &dir) { m_userPoolDir = dir; }
    QString poolFilePath(ExamClass examClass) const;
    // The user's pool folder when the loaded pool was read from it, else empty.
    QString loadedUserPoolFolder() const { return m_loadedUserPoolFolder; }

    // Returns false when the load failed (after the beep and message).
    bool LoadPool(ExamClass examClass);
    void ResetForNewPool();

    void ShowQuestion();
    void CheckAnswer(QChar letter);
    void ShowCorrect();
    void ShowTryAgain();
    void ShowPercentage();
    void PlaySound(const QString &name);

    // Click handlers.
    void Next();                         // Command1
    void Previous();                     // Command2
    void Forward20();                    // Command3
    void Back20();                       // Command4
    void RandomQuestion();               // Command5
    void LeastCorrect();                 // Command6
    void ResetHistory();                 // Command7
    void NewTest();                      // Command8
    void Hint();                         // Command9
    void AnswerClicked(int choice);      // cmdA..cmdD, 0..3
    void ChoiceLabelClicked(int choice); // lblDist1..lblDist4, 0..3; ignored while disabled
    void Check1Clicked();
    void Timer1Tick();
    // Runs the action of a key in the key table and sets keyCode to 0; other keys pass unchanged.
    void KeyDown(int &keyCode);
    // The window's unload step: closes the sound device.
    void Unload();

    // The correct letter of the displayed question, or a null QChar when there is none.
    QChar correctLetter() const;

    // Listeners are told in the order they were added; the engine does not own them.
    void addListener(StudyListener *listener);
    // The pool of the last load; empty before the first successful load and after a failed one.
    const questions::Pool &pool() const { return m_pool; }
    // The question of the loaded pool on display, or null.
    const questions::Question *displayedQuestion() const;

private:
    QStringView poolLine(int line) const;
    void setScoreResetTexts();

    StudyState m_state;
    StudyControls m_c;
    view::Services &m_services;
    RandomSource &m_random;
    SoundPlayer &m_sound;
    QString m_exeDir;
    QString m_startDir;
    QString m_userPoolDir;
    QString m_loadedUserPoolFolder;
    questions::Pool m_pool;
    std::vector<StudyListener *> m_listeners;
    bool m_hinted = false; // Hint removed a choice on this display
};

} // namespace engine

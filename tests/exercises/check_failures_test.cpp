// What the course's scenarios cannot reach: the checks' failures located by the exercise, Word
// refusing a call, and counts beyond a 16-bit Integer.
#include "exercises/exercise_check_fixture.h"

namespace k72645::testing {
namespace {

constexpr std::int32_t kRejected = -2147418111;  // the call Word's Fault refuses

TEST_F(ExerciseCheckTest, WithoutADocumentTheChecksFailLocated) {
    for (int exercise : {501, 506, 509, 516}) {
        prepare(exercise);
        call(app(u"Documents"), u"Close", {std::int32_t{0}});
        // 509 with the recipients dialog seen by the Module: the check reads the document.
        EXPECT_COM_ERROR(call(question, u"TestePoint", {exercise == 509}), 4248, at(exercise))
            << exercise;
    }
}

TEST_F(ExerciseCheckTest, AMissingBookmarkFailsLocated) {
    for (int exercise : {503, 505, 507, 514}) {
        prepare(exercise);
        setFieldCodes(true);
        deleteBookmark(u"s01");
        EXPECT_COM_ERROR(checkOnly(), 5941, at(exercise)) << exercise;
        if (exercise == 507) {
            EXPECT_TRUE(fieldCodes());  // failed before the display was touched
        }
    }
    prepare(515);  // the letter closed behind its merged document
    call(mailMerge(), u"Execute");
    call(document(u"Agence.doc"), u"Close", {std::int32_t{0}});
    EXPECT_COM_ERROR(checkOnly(), 5941, at(515));
}

TEST_F(ExerciseCheckTest, AnEmptyPassageIsAnInvalidCallAndFieldCodesStayHidden) {
    for (int exercise : {505, 507}) {
        prepare(exercise);
        typeOver(u"s01", u"");  // no paragraph mark left to drop
        setFieldCodes(true);
        EXPECT_COM_ERROR(checkOnly(), errors::kInvalidCall, at(exercise, u"K72645")) << exercise;
        EXPECT_FALSE(fieldCodes()) << exercise;
    }
}

TEST_F(ExerciseCheckTest, WordRefusingACallFailsLocated) {
    std::shared_ptr<Fault> fault = prepareFaulty(502, u"FullName");
    fault->armed = true;
    EXPECT_COM_ERROR(checkOnly(), kRejected, at(502));

    fault = prepareFaulty(508, u"Activate");
    call(mailMerge(), u"Execute");
    fault->armed = true;
    EXPECT_COM_ERROR(checkOnly(), kRejected, at(508));

    fault = prepareFaulty(517, u"DataFields");
    call(app(u"Documents"), u"Add");
    call(mailMerge(), u"CreateDataSource",
         {folder.path() + u"Adresses.mdb", Variant::missing(), Variant::missing(), u"titre, nom"});
    fault->armed = true;
    EXPECT_COM_ERROR(checkOnly(), kRejected, at(517));

    // 518 hides the field codes it showed before raising.
    fault = prepareFaulty(518, u"Fields");
    put(call(activeDocument(), u"Range", {std::int32_t{0}, std::int32_t{4}}), u"Markup",
        u"{ MERGEFIELD titre } { MERGEFIELD nom }{ MERGEFIELD pr\u00e9nom }\\r"
        u"{ MERGEFIELD adresse_ligne_1 }\\r{ MERGEFIELD adresse_ligne_2 }\\r"
        u"{ MERGEFIELD cpvil }\\r");
    setFieldCodes(true);
    fault->armed = true;
    EXPECT_COM_ERROR(checkOnly(), kRejected, at(518));
    fault->armed = false;
    EXPECT_FALSE(fieldCodes());
}

TEST_F(ExerciseCheckTest, SomeRefusalsAreVerdictsNotFailures) {
    // 504, letter open: the entry cannot be read, so it is taken as still there.
    std::shared_ptr<Fault> fault = prepareFaulty(504, u"AutoTextEntries");
    call(member(member(member(activeDocument(), u"AttachedTemplate"), u"AutoTextEntries"), u"Item",
                {u"le"}),
         u"Delete");
    fault->armed = true;
    EXPECT_EQ(check(), u"A");
    EXPECT_EQ(fault->refusals, 1);

    // 517: any failure while reading the document type, even one that is not a COM error.
    fault = prepareFaulty(517, u"MainDocumentType");
    call(app(u"Documents"), u"Add");
    call(mailMerge(), u"CreateDataSource",
         {folder.path() + u"Adresses.mdb", Variant::missing(), Variant::missing(),
          u"titre, pr\u00e9nom, nom, adresse_ligne_1, adresse_ligne_2, cpvil"});
    for (int i = 0; i < 2; ++i)
        call(dataSource(), u"AddRecord", {u"Madame", u"Denise", u"MARTEL"});
    EXPECT_EQ(check(), u"");
    fault->foreign = true;
    fault->armed = true;
    EXPECT_EQ(check(), u"E");
}

TEST_F(ExerciseCheckTest, OnceTheLetterIsClosed504RaisesWhatItCannotOpen) {
    prepare(504);  // the letter saved and closed: the check opens its template
    call(member(document(u"Agence.doc"), u"Content"), u"InsertAfter", {u"Fin."});
    call(document(u"Agence.doc"), u"Save");
    call(document(u"Agence.doc"), u"Close", {std::int32_t{0}});
    std::filesystem::remove(templates.native() / "Lettre ORB.dot");
    EXPECT_COM_ERROR(checkOnly(), errors::kFileNotFound,
                     located(u"Question0504", u"TestePoint", u""));
}

TEST_F(ExerciseCheckTest, WithoutDataSourceTheRecordChecksFailLocated) {
    for (int exercise : {510, 512, 513}) {
        prepare(exercise);
        put(word, u"PrintPreview", true);
        put(mailMerge(), u"MainDocumentType", std::int32_t{-1});
        EXPECT_COM_ERROR(checkOnly(), 5852, at(exercise)) << exercise;
        if (exercise == 512) {
            EXPECT_FALSE(vb::cBool(app(u"PrintPreview")));
        }
    }
}

TEST_F(ExerciseCheckTest, CountsBeyondSixteenBitsOverflow) {
    struct Case {
        int exercise;
        const char16_t* member;
    };
    for (const Case& c : {Case{501, u"Count"}, Case{502, u"Count"}, Case{508, u"Count"},
                          Case{510, u"RecordCount"}, Case{512, u"RecordCount"}}) {
        prepareFixed(c.exercise, c.member, std::int32_t{32768});
        EXPECT_COM_ERROR(checkOnly(), errors::kOverflow, at(c.exercise, u"K72645")) << c.exercise;
    }
    // A count Word cannot give is read as it comes.
    prepareFixed(510, u"RecordCount", std::int32_t{-1});
    EXPECT_EQ(check(), u"B");
    EXPECT_EQ(vb::cStr(call(get(question, u"ComplementInfo"), u"item", {std::int32_t{1}})), u"-1");
}

TEST_F(ExerciseCheckTest, FermerEndsItsPassesWhenTheCountOverflows) {
    const auto fixed = prepareFixed(508, u"Count", std::int32_t{32768});
    fixed->armed = false;
    call(mailMerge(), u"Execute");
    call(document(u"Agence.doc"), u"Close", {std::int32_t{0}});
    fixed->armed = true;
    fixed->reads = 0;
    call(question, u"Fermer");
    EXPECT_EQ(fixed->reads, 2);
    fixed->armed = false;
    EXPECT_EQ(vb::cStr(member(document(std::int32_t{1}), u"Name")), u"Lettres1");
}

TEST_F(ExerciseCheckTest, AQueryReadBackWithoutCivilityOrMadameIsB) {
    for (const char16_t* query : {u"SELECT * FROM `Clients` WHERE `Titre` = 'Madame'",
                                  u"SELECT * FROM `Clients` WHERE `Civilite` = 'Mme'"}) {
        prepareFixed(515, u"QueryString", std::u16string(query));
        put(dataSource(), u"QueryString", u"SELECT * FROM `Clients` WHERE `Civilite` = 'Madame'");
        call(mailMerge(), u"Execute");
        EXPECT_EQ(check(), u"B") << toUtf8(query);
    }
}

// Counts the objects made through the runtime.
struct CountingRuntime : ApplicationRuntime {
    explicit CountingRuntime(std::shared_ptr<ApplicationRuntime> runtime) : inner(runtime) {}
    DispatchPtr createObject(const std::u16string& id) override {
        return ++made, inner->createObject(id);
    }
    DispatchPtr getRunningObject(const std::u16string& id) override {
        return inner->getRunningObject(id);
    }
    std::shared_ptr<ApplicationRuntime> inner;
    int made = 0;
};

TEST_F(ExerciseCheckTest, WordsGlobalObjectIsMadeOnceAndItsFailureIsLocated) {
    prepare(511);
    auto runtime = std::make_shared<CountingRuntime>(platform.runtime);
    question = createExercise(511, {platform.files, platform.sleeper, runtime});
    Arguments args{Argument::ref(word), folder.path(), templates.path()};
    callWith(question, u"Prepare", args);
    // The surname corrected, the check reads the record through Word's global object.
    put(dataSource(), u"ActiveRecord", std::int32_t{7});
    put(member(member(dataSource(), u"DataFields"), u"Item", {std::int32_t{2}}), u"Value",
        u"MORLAUX");
    put(dataSource(), u"ActiveRecord", std::int32_t{1});
    EXPECT_EQ(check(), u"");
    EXPECT_EQ(check(), u"");
    EXPECT_EQ(runtime->made, 1);
    // A fresh runtime makes its own, and a failure to make it is located by the check.
    question = createExercise(511, {platform.files, platform.sleeper,
                                    std::make_shared<CountingRuntime>(platform.runtime)});
    callWith(question, u"Prepare", args);
    world->setWordInstalled(false);
    put(dataSource(), u"ActiveRecord", std::int32_t{1});
    EXPECT_COM_ERROR(checkOnly(), 429, at(511, u"K72645"));
}

TEST_F(ExerciseCheckTest, PrepareFailsLocatedAndFermerToleratesAGoneWord) {
    question = createExercise(506, {platform.files, platform.sleeper, platform.runtime});
    Arguments args{Argument::ref(word), folder.path(), templates.path()};
    EXPECT_COM_ERROR(callWith(question, u"Prepare", args), 5174,  // Agence.doc not delivered
                     located(u"Question0506", u"Prepare", u"Microsoft Word"));

    prepare(518);
    call(word, u"Quit", {std::int32_t{0}});
    call(question, u"Fermer");
    EXPECT_EQ(vb::cLng(call(get(question, u"FichiersDeTravail"), u"count")), 0);
}

}  // namespace
}  // namespace k72645::testing

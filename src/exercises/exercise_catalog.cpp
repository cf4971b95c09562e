#include "exercises/exercise_catalog.h"

namespace k72645 {

const std::vector<ExerciseInfo>& exerciseCatalog() {
    static const std::vector<ExerciseInfo> catalog = {
        {501, u"Question0501", u"Insertion automatique dans le modèle de lettre"},
        {502, u"Question0502", u"Deux documents ouverts, la lettre active"},
        {503, u"Question0503", u"Insertion automatique à un signet"},
        {504, u"Question0504", u"Supprimer une insertion automatique du modèle"},
        {505, u"Question0505", u"Champ date après le nom du lieu"},
        {506, u"Question0506", u"Attacher la source de données"},
        {507, u"Question0507", u"Insérer un champ de fusion"},
        {508, u"Question0508", u"Fusionner vers un nouveau document"},
        {509, u"Question0509", u"Afficher la liste des destinataires"},
        {510, u"Question0510", u"Ajouter un enregistrement à la source"},
        {511, u"Question0511", u"Corriger un enregistrement de la source"},
        {512, u"Question0512", u"Exclure un destinataire de la fusion"},
        {513, u"Question0513", u"Trier les destinataires"},
        {514, u"Question0514", u"Texte conditionnel avec un champ SI"},
        {515, u"Question0515", u"Requête sur la source et fusion"},
        {516, u"Question0516", u"Champ Remplir"},
        {517, u"Question0517", u"Créer une nouvelle source de données"},
        {518, u"Question0518", u"Étiquettes de publipostage"},
    };
    return catalog;
}

std::optional<ExerciseInfo> findExercise(std::int32_t number) {
    for (const auto& info : exerciseCatalog()) {
        if (info.number == number)
            return info;
    }
    return std::nullopt;
}

}  // namespace k72645

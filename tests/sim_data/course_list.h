// The course's base list of clients, as the course's databases hold it, for the data tests.
#pragma once

#include <memory>

#include "sim/data/database.h"

namespace k72645::sim::testing {

inline Database baseList() {
    Database database;
    database.table = u"Clients";
    database.fields = {u"Civilite", u"Nom",     u"Prenom", u"Adresse1",
                       u"Adresse2", u"CpVille", u"Groupe"};
    database.records = {
        {u"Monsieur", u"KERVADEC", u"Alain", u"12 rue de Siam", u"", u"29200 Brest", u"1"},
        {u"Madame", u"FOUCAL", u"Bernadette", u"3 place du Ralliement", u"", u"49100 Angers", u"2"},
        {u"Madame", u"MARTEL", u"Denise", u"8 quai de la Fosse", u"Bâtiment B", u"44000 Nantes",
         u"1"},
        {u"Monsieur", u"TOLRE", u"Eric", u"21 rue Nationale", u"", u"37000 Tours", u"2"},
        {u"Monsieur", u"BOIN", u"François", u"5 allée des Tilleuls", u"", u"35000 Rennes", u"1"},
        {u"Monsieur", u"MORLAUX", u"Gilles", u"14 rue du Port", u"", u"56100 Lorient", u"2"},
        {u"Madame", u"LUCANI", u"Clémence", u"4 rue des Lilas", u"", u"49000 Angers", u"1"},
    };
    return database;
}

inline std::shared_ptr<Database> sharedBaseList() {
    return std::make_shared<Database>(baseList());
}

}  // namespace k72645::sim::testing

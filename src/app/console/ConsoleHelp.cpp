#include "app/console/ConsoleProgram.h"

namespace vp::console {

std::string HelpText() {
    return R"(vexoma : le nettoyage de Vexoma Pellora en ligne de commande.

Utilisation :
  vexoma --liste
  vexoma --apercu CIBLES [--log FICHIER] [--json]
  vexoma --nettoyer CIBLES [--log FICHIER] [--json]

CIBLES : les numéros de « vexoma --liste », séparés par des virgules ou des
espaces, des intervalles (1-4,6) ou les catégories du sélecteur de la fenêtre :
  complet     les vingt cibles
  internet    les cibles 1 à 4
  windows     les cibles 5 à 10
  logiciels   les cibles 11 à 20
Les cibles sont traitées dans l'ordre de la liste, quel que soit l'ordre donné.

Actions et options :
  --apercu, --preview   montre ce que le nettoyage ferait : c'est le vrai
                        nettoyage, mais rien n'est effacé ni modifié
  --nettoyer, --clean   nettoie les cibles
  --liste, --list       liste les vingt cibles avec leur numéro
  --log FICHIER         écrit le journal dans FICHIER, octet pour octet comme
                        le bouton « Enreg. log » de la fenêtre (aussi --journal)
  --json                écrit à la fin, en JSON, chaque cible avec ses lignes
                        du journal, ses comptes et ses octets, au lieu du texte
  --aide, --help, -h    cette aide

Pendant le nettoyage, le journal s'affiche ligne par ligne ; à la fin vient le
bilan : fichiers et octets, dossiers, valeurs du registre, entrées du cache
Internet et leurs octets, éléments et octets de la corbeille. Un dossier
protégé (racine d'un lecteur, dossier Windows, profil, Documents...) n'est
jamais vidé : le bilan le nomme, « Laissé intact », avec sa raison.

Codes de sortie :
  0  tout est fait
  1  des éléments n'ont pas pu être effacés (fichier utilisé par un autre
     programme, dossier qui contient encore un fichier caché, dossier
     protégé laissé intact...), ou le journal n'a pas pu être écrit
  2  commande incorrecte : rien n'a été effacé
)";
}

} // namespace vp::console

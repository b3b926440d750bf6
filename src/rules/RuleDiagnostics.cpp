#include "rules/RuleDiagnostics.h"

namespace vp::rules {

std::string_view problemCode(Problem problem) {
    switch (problem) {
    case Problem::InvalidUtf8:
        return "invalid-utf8";
    case Problem::OddUtf16Length:
        return "utf16-odd-length";
    case Problem::LoneSurrogate:
        return "utf16-lone-surrogate";
    case Problem::OutsideEntry:
        return "outside-entry";
    case Problem::NotAKey:
        return "not-a-key";
    case Problem::BadSectionHeader:
        return "bad-section-header";
    case Problem::DuplicateEntry:
        return "duplicate-entry";
    case Problem::UnknownKey:
        return "unknown-key";
    case Problem::EmptyValue:
        return "empty-value";
    case Problem::RepeatedKey:
        return "repeated-key";
    case Problem::DuplicateNumber:
        return "duplicate-number";
    case Problem::NumberingGap:
        return "numbering-gap";
    case Problem::MissingNumber:
        return "missing-number";
    case Problem::NoCategory:
        return "no-category";
    case Problem::BothCategories:
        return "both-categories";
    case Problem::UnknownCategory:
        return "unknown-category";
    case Problem::BadCategory:
        return "bad-category";
    case Problem::BadDefault:
        return "bad-default";
    case Problem::BadOsVersion:
        return "bad-os-version";
    case Problem::EmptyOsRange:
        return "empty-os-range";
    case Problem::UnknownSpecialDetect:
        return "unknown-special-detect";
    case Problem::DetectSuperseded:
        return "detect-superseded";
    case Problem::NothingToClean:
        return "nothing-to-clean";
    case Problem::MissingSeparator:
        return "missing-separator";
    case Problem::TooManyFields:
        return "too-many-fields";
    case Problem::UnknownFlag:
        return "unknown-flag";
    case Problem::NoPattern:
        return "no-pattern";
    case Problem::EmptyPattern:
        return "empty-pattern";
    case Problem::BadPattern:
        return "bad-pattern";
    case Problem::UnknownExcludeKind:
        return "unknown-exclude-kind";
    case Problem::ShortExclude:
        return "short-exclude";
    case Problem::NoRoot:
        return "no-root";
    case Problem::BadVariable:
        return "bad-variable";
    case Problem::DriveRelative:
        return "drive-relative";
    case Problem::NetworkPath:
        return "network-path";
    case Problem::ParentSegment:
        return "parent-segment";
    case Problem::BadCharacter:
        return "bad-character";
    case Problem::VariableInside:
        return "variable-inside";
    case Problem::UnknownHive:
        return "unknown-hive";
    case Problem::WholeHive:
        return "whole-hive";
    case Problem::EmptyValueName:
        return "empty-value-name";
    case Problem::TooManyDiagnostics:
        return "too-many-diagnostics";
    }
    return "unknown";
}

std::string_view effectCode(Effect effect) {
    switch (effect) {
    case Effect::Noted:
        return "noted";
    case Effect::KeyIgnored:
        return "key-ignored";
    case Effect::LinesIgnored:
        return "lines-ignored";
    case Effect::EntryRefused:
        return "entry-refused";
    case Effect::EntryReplaced:
        return "entry-replaced";
    }
    return "unknown";
}

std::string_view frenchEffect(Effect effect) {
    switch (effect) {
    case Effect::Noted:
        return {};
    case Effect::KeyIgnored:
        return "ligne ignorée";
    case Effect::LinesIgnored:
        return "lignes ignorées jusqu'à l'entrée suivante";
    case Effect::EntryRefused:
        return "entrée refusée, elle ne sera jamais exécutée";
    case Effect::EntryReplaced:
        return "entrée remplacée par la suivante du même nom";
    }
    return {};
}

namespace {

std::string quoted(std::string_view text) {
    return "« " + std::string(text) + " »";
}

// "reason « detail »", or the reason alone when there is no detail.
std::string withDetail(std::string_view reason, std::string_view detail) {
    return detail.empty() ? std::string(reason) : std::string(reason) + " " + quoted(detail);
}

} // namespace

std::string frenchReason(const Diagnostic& d) {
    switch (d.problem) {
    case Problem::InvalidUtf8:
        return "le fichier n'est pas en UTF-8 valide ; il est lu en Windows-1252";
    case Problem::OddUtf16Length:
        return "le fichier UTF-16 a un nombre impair d'octets ; le dernier est ignoré";
    case Problem::LoneSurrogate:
        return "le fichier UTF-16 contient un demi-caractère (surrogate isolé), remplacé par "
               "« \xEF\xBF\xBD »";
    case Problem::OutsideEntry:
        return "ligne en dehors de toute entrée [Nom *]";
    case Problem::NotAKey:
        return withDetail("ligne sans « = », ni clé, ni commentaire, ni entrée :", d.detail);
    case Problem::BadSectionHeader:
        return withDetail("en-tête d'entrée mal formé", d.detail);
    case Problem::DuplicateEntry:
        return "une entrée du même nom suit, ligne " + d.detail;
    case Problem::UnknownKey:
        return "clé inconnue";
    case Problem::EmptyValue:
        return "valeur vide";
    case Problem::RepeatedKey:
        return "clé déjà donnée ligne " + d.detail + " ; la dernière l'emporte";
    case Problem::DuplicateNumber:
        return "numéro déjà utilisé dans cette entrée, ligne " + d.detail +
               " ; les deux clés servent";
    case Problem::NumberingGap:
        return "numérotation interrompue, il manque " + d.detail +
               " ; les clés suivantes servent quand même";
    case Problem::MissingNumber:
        return "clé sans numéro (FileKey1, RegKey1, ExcludeKey1…)";
    case Problem::NoCategory:
        return "ni LangSecRef ni Section : l'entrée n'a pas de catégorie";
    case Problem::BothCategories:
        return "LangSecRef et Section à la fois : LangSecRef l'emporte";
    case Problem::UnknownCategory:
        return withDetail("numéro de catégorie inconnu", d.detail);
    case Problem::BadCategory:
        return withDetail("LangSecRef attend un nombre, par exemple 3021, et non", d.detail);
    case Problem::BadDefault:
        return withDetail("Default attend True ou False, et non", d.detail);
    case Problem::BadOsVersion:
        return withDetail("version de Windows illisible (attendu : min|max, par exemple 6.1|10.0)",
                          d.detail);
    case Problem::EmptyOsRange:
        return withDetail("aucune version de Windows ne convient à", d.detail);
    case Problem::UnknownSpecialDetect:
        return withDetail("détection spéciale inconnue", d.detail);
    case Problem::DetectSuperseded:
        return "SpecialDetect décide seul de la détection ; les clés Detect et DetectFile de "
               "l'entrée ne servent pas";
    case Problem::NothingToClean:
        return "l'entrée n'a aucune clé FileKey ni RegKey utilisable : elle ne nettoie rien";
    case Problem::MissingSeparator:
        return withDetail("il manque le séparateur « | » :", d.detail);
    case Problem::TooManyFields:
        return withDetail("trop de champs séparés par « | » :", d.detail);
    case Problem::UnknownFlag:
        return withDetail("drapeau inconnu (RECURSE ou REMOVESELF attendu) :", d.detail);
    case Problem::NoPattern:
        return "aucun nom de fichier après le chemin";
    case Problem::EmptyPattern:
        return "nom de fichier vide entre deux « ; » (ignoré)";
    case Problem::BadPattern:
        return withDetail("nom de fichier invalide", d.detail);
    case Problem::UnknownExcludeKind:
        return withDetail("type d'exclusion inconnu (FILE, PATH ou REG attendu) :", d.detail);
    case Problem::ShortExclude:
        return withDetail("exclusion sans nom de fichier séparé par « | », lue comme", d.detail);
    case Problem::NoRoot:
        return withDetail("le chemin ne commence ni par une variable comme %AppData% ni par un "
                          "lecteur comme C: :",
                          d.detail);
    case Problem::BadVariable:
        return withDetail("variable mal écrite", d.detail);
    case Problem::DriveRelative:
        return withDetail("chemin relatif au dossier courant d'un lecteur", d.detail);
    case Problem::NetworkPath:
        return withDetail("chemin réseau ou étendu non pris en charge", d.detail);
    case Problem::ParentSegment:
        return "le chemin remonte d'un dossier avec « .. »";
    case Problem::BadCharacter:
        return withDetail("caractère interdit dans un nom de dossier", d.detail);
    case Problem::VariableInside:
        return withDetail("une variable n'est reconnue qu'au début du chemin :", d.detail);
    case Problem::UnknownHive:
        return withDetail("ruche du registre inconnue (HKCU, HKLM, HKU, HKCR ou HKCC attendu) :",
                          d.detail);
    case Problem::WholeHive:
        return withDetail("une ruche entière du registre ne se nettoie pas :", d.detail);
    case Problem::EmptyValueName:
        return "nom de valeur vide après « | »";
    case Problem::TooManyDiagnostics:
        return withDetail("trop de problèmes ; les suivants ne sont plus signalés :", d.detail);
    }
    return "problème inconnu";
}

std::string describe(std::string_view fileName, const Diagnostic& d) {
    std::string out(fileName);
    if (d.line != 0) {
        out += ", ligne " + std::to_string(d.line);
    }
    if (!d.entry.empty()) {
        out += ", [" + d.entry + "]";
    }
    if (!d.key.empty()) {
        out += ", " + d.key;
    }
    out += " : " + frenchReason(d);
    const std::string_view effect = frenchEffect(d.effect);
    if (!effect.empty()) {
        out += " ; ";
        out += effect;
    }
    return out;
}

} // namespace vp::rules

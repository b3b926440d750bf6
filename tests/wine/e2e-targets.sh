#!/usr/bin/env bash
# End to end under Wine: cleaning runs of the Windows build over a seeded profile, one group
# of targets per run: the registry lists, the Internet cache with its cookie and cache
# folders, the history, prefetch and recycle bin, and the application files.
#
# Usage: tests/wine/e2e-targets.sh build/mingw64
source "$(dirname "$0")/lib.sh"
wine_driver "${1:-build/mingw64}"

group() { echo "$2"; }

wine_scratch_begin
C="$WINEPREFIX/drive_c"
SHELL_FOLDERS='Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
# Wine's shell rewrites "Shell Folders" from "User Shell Folders" whenever a folder is looked
# up (the Internet cache and the history do so when they start): a folder is moved in both.
USER_SHELL_FOLDERS='Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'

# --- Registry lists ---------------------------------------------------------------------------
group registry "Registry lists of every registry target"
cat >"$WINE_SCRATCH/registry.txt" <<SEED
sz	Software\\Microsoft\\Internet Explorer\\TypedURLs	url0	http://kept.example/0
sz	Software\\Microsoft\\Internet Explorer\\TypedURLs	url1	http://a.example/
sz	Software\\Microsoft\\Internet Explorer\\TypedURLs	url2	
sz	Software\\Microsoft\\Internet Explorer\\TypedURLs	url3	http://c.example/
sz	Software\\Microsoft\\Internet Explorer\\TypedURLs	url101	http://kept.example/101
sz	$SHELL_FOLDERS	Recent	C:\\profile\\recent
file	C:\\profile\\recent\\doc.lnk
sz	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs	a	doc
binary	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs	c	64006f006300000000
binary	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs	MRUList	636100
sz	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs	other	kept
sz	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs\\.txt	a	kept in the subkey
sz	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU	a	notepad\\1
sz	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU	c	C:\\Zoë.txt\\1
sz	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU	d	$(printf 'x%.0s' $(seq 130))
sz	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU	k	kept
sz	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU	MRUList	cad
sz	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU	b	*.doc
sz	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU	MRUList	b
sz	Software\\Ahead\\Nero - Burning Rom\\Recent File List	file0	kept
sz	Software\\Ahead\\Nero - Burning Rom\\Recent File List	file1	C:\\burn\\one.nrg
sz	Software\\Ahead\\Nero - Burning Rom\\Recent File List	file2	C:\\burn\\two.nrg
sz	Software\\Ahead\\Nero - Burning Rom\\Recent File List	file4	C:\\burn\\four.nrg
sz	Software\\Ahead\\Nero - Burning Rom\\Recent File List	file101	kept
sz	Software\\Ahead\\Cover Designer\\Recent File List	file1	C:\\cover\\one.ncd
sz	Software\\Microsoft\\Visual Basic\\6.0\\RecentFiles	1	C:\\vb6\\one.vbp
sz	Software\\Microsoft\\Visual Basic\\6.0\\RecentFiles	2	C:\\vb6\\two.vbp
sz	Software\\Microsoft\\Visual Basic\\5.0\\RecentFiles	1	C:\\vb5\\one.vbp
sz	Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList	URL0	http://media.example/0
sz	Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList	URL1	http://media.example/1
sz	Software\\WinRAR\\ArcHistory	0	C:\\arc\\zero.rar
sz	Software\\WinRAR\\ArcHistory	1	C:\\arc\\one.rar
sz	Software\\WinRAR\\DialogEditHistory\\ExtrPath	0	C:\\extract\\zero
sz	Software\\Nico Mak Computing\\WinZip\\filemenu	filemenu0	kept
sz	Software\\Nico Mak Computing\\WinZip\\filemenu	filemenu1	C:\\zip\\one.zip
SEED
e2e seed "Z:$WINE_SCRATCH/registry.txt"
e2e run 1,5,8,9,15,16,17,18,19,20 >"$WINE_SCRATCH/registry.out"
section List1 "$WINE_SCRATCH/registry.out" >"$WINE_SCRATCH/registry.log"
expect_lines "run log: every entry in list order, nothing from RecentDocs" "$WINE_SCRATCH/registry.log" <<'LOG'
Adresses tapées récemment  : Nettoyage ...
http://a.example/
http://c.example/

Documents ouverts récemment  : Nettoyage ...
C:\profile\recent\doc.lnk

Historique de Exécuter  : Nettoyage ...
notepad\1
C:\Zoë.txt\1

Historique de Rechercher  : Nettoyage ...
*.doc

Nero  : Nettoyage ...
C:\burn\one.nrg
C:\burn\two.nrg
C:\burn\four.nrg

Nero CoverDesigner  : Nettoyage ...
C:\cover\one.ncd

Visual Basic  : Nettoyage ...
C:\vb6\one.vbp
C:\vb5\one.vbp
C:\vb6\two.vbp

Windows Media Player  : Nettoyage ...
http://media.example/0
http://media.example/1

WinRar  : Nettoyage ...
C:\arc\zero.rar
C:\extract\zero
C:\arc\one.rar

WinZip  : Nettoyage ...
C:\zip\one.zip

LOG
# What stays in each list: only the values outside the names each target handles.
{
    for key in 'Software\Microsoft\Internet Explorer\TypedURLs' \
        'Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs' \
        'Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs\.txt' \
        'Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU' \
        'Software\Microsoft\Windows\CurrentVersion\Explorer\Doc Find Spec MRU' \
        'Software\Ahead\Nero - Burning Rom\Recent File List' \
        'Software\Ahead\Cover Designer\Recent File List' \
        'Software\Microsoft\Visual Basic\6.0\RecentFiles' \
        'Software\Microsoft\Visual Basic\5.0\RecentFiles' \
        'Software\Microsoft\MediaPlayer\Player\RecentURLList' \
        'Software\WinRAR\ArcHistory' \
        'Software\WinRAR\DialogEditHistory\ExtrPath' \
        'Software\Nico Mak Computing\WinZip\filemenu'; do
        echo "[$key]"
        e2e reg-dump "$key" | sort
    done
} >"$WINE_SCRATCH/registry.dump"
expect_lines "registry afterwards: the lists are cleared, the rest stays" "$WINE_SCRATCH/registry.dump" <<'DUMP'
[Software\Microsoft\Internet Explorer\TypedURLs]
url0=sz:http://kept.example/0
url101=sz:http://kept.example/101
[Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs]
other=sz:kept
[Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs\.txt]
a=sz:kept in the subkey
[Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU]
k=sz:kept
[Software\Microsoft\Windows\CurrentVersion\Explorer\Doc Find Spec MRU]
[Software\Ahead\Nero - Burning Rom\Recent File List]
file0=sz:kept
file101=sz:kept
[Software\Ahead\Cover Designer\Recent File List]
[Software\Microsoft\Visual Basic\6.0\RecentFiles]
[Software\Microsoft\Visual Basic\5.0\RecentFiles]
[Software\Microsoft\MediaPlayer\Player\RecentURLList]
[Software\WinRAR\ArcHistory]
[Software\WinRAR\DialogEditHistory\ExtrPath]
[Software\Nico Mak Computing\WinZip\filemenu]
filemenu0=sz:kept
DUMP
expect_absent "the Recent folder's file went" "$C/profile/recent/doc.lnk"

# --- Registry links -------------------------------------------------------------------------
group links "Registry lists replaced by links to another key of the user's"
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU' /f >/dev/null 2>&1
wine reg delete 'HKCU\Software\WinRAR\ArcHistory' /f >/dev/null 2>&1
cat >"$WINE_SCRATCH/links.txt" <<SEED
sz	Software\\Canary	a	precious
sz	Software\\Canary	0	C:\\precious.rar
sz	Software\\Canary	MRUList	a
reglink	Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU	Software\\Canary
reglink	Software\\WinRAR\\ArcHistory	Software\\Canary
SEED
e2e seed "Z:$WINE_SCRATCH/links.txt"
e2e reg-dump 'Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU' | sort >"$WINE_SCRATCH/through-link"
expect_lines "the links lead to the canary key" "$WINE_SCRATCH/through-link" <<'DUMP'
0=sz:C:\precious.rar
MRUList=sz:a
a=sz:precious
DUMP
e2e run 8,19 >"$WINE_SCRATCH/links.out"
section List1 "$WINE_SCRATCH/links.out" >"$WINE_SCRATCH/links.log"
expect_lines "run log: nothing read through the links" "$WINE_SCRATCH/links.log" <<'LOG'
Historique de Exécuter  : Nettoyage ...

WinRar  : Nettoyage ...

LOG
e2e reg-dump 'Software\Canary' | sort >"$WINE_SCRATCH/canary"
expect_lines "the key behind the links keeps every value" "$WINE_SCRATCH/canary" <<'DUMP'
0=sz:C:\precious.rar
MRUList=sz:a
a=sz:precious
DUMP

# --- Internet cache -----------------------------------------------------------------------
group cache "The cookie and cache targets on the entries listed at load"
cat >"$WINE_SCRATCH/cache.txt" <<SEED
cache	http://www.example.com/index.html	normal	page
cache	http://static.example.org/logo.png	normal	image
cache	Cookie:tester@example.com/	cookie	id=1
cache	Cookie:tester@example.org/	cookie	id=2
SEED
e2e seed "Z:$WINE_SCRATCH/cache.txt"
# The cookie and cache folders where the cache itself keeps its files, and one file of ours
# in each, beside the cache's own.
e2e reg-dump "$SHELL_FOLDERS" >"$WINE_SCRATCH/shell-folders"
cookies_dir=$(sed -n 's/^Cookies=sz://p' "$WINE_SCRATCH/shell-folders")
cache_dir=$(sed -n 's/^Cache=sz://p' "$WINE_SCRATCH/shell-folders")
printf 'file\t%s\\ours.txt\nfile\t%s\\ours\\page.htm\n' "$cookies_dir" "$cache_dir" >"$WINE_SCRATCH/ours.txt"
e2e seed "Z:$WINE_SCRATCH/ours.txt"
e2e cache-list >"$WINE_SCRATCH/cache.before"
if [[ $(wc -l <"$WINE_SCRATCH/cache.before") == 4 ]]; then pass "the cache holds the four seeded entries"; else fail "the cache holds the four seeded entries" || true; fi
grep '^Cookie' "$WINE_SCRATCH/cache.before" >"$WINE_SCRATCH/cookies" || true
grep -v '^Cookie' "$WINE_SCRATCH/cache.before" >"$WINE_SCRATCH/others" || true
e2e run --runs 2 2,3 >"$WINE_SCRATCH/cache.out"
section "List2 at load" "$WINE_SCRATCH/cache.out" >"$WINE_SCRATCH/list2"
section "List3 at load" "$WINE_SCRATCH/cache.out" >"$WINE_SCRATCH/list3"
expect_lines "List2 at load: the cookie entries in the cache's order" "$WINE_SCRATCH/list2" <"$WINE_SCRATCH/cookies"
expect_lines "List3 at load: every other entry in the cache's order" "$WINE_SCRATCH/list3" <"$WINE_SCRATCH/others"
section List1 "$WINE_SCRATCH/cache.out" >"$WINE_SCRATCH/cache.log"
expect_lines "run logs: entry names and swept files, then only the sweeps" "$WINE_SCRATCH/cache.log" <<LOG
 
$(cat "$WINE_SCRATCH/cookies")
$cookies_dir\\ours.txt

Fichiers Internet temporaire  : Nettoyage ...
$(cat "$WINE_SCRATCH/others")
$cache_dir\\ours\\page.htm

 

Fichiers Internet temporaire  : Nettoyage ...

LOG
e2e cache-list >"$WINE_SCRATCH/cache.after"
expect_lines "the cache holds no entry afterwards" "$WINE_SCRATCH/cache.after" </dev/null
section List2 "$WINE_SCRATCH/cache.out" >"$WINE_SCRATCH/list2.after"
expect_lines "List2 reads Effacé line for line" "$WINE_SCRATCH/list2.after" < <(sed 's/.*/Effacé/' "$WINE_SCRATCH/cookies")
section List3 "$WINE_SCRATCH/cache.out" >"$WINE_SCRATCH/list3.after"
expect_lines "List3 reads Effacé line for line" "$WINE_SCRATCH/list3.after" < <(sed 's/.*/Effacé/' "$WINE_SCRATCH/others")

# --- History, prefetch, recycle bin ---------------------------------------------------------
group shell "History, prefetch files and the recycle bin"
cat >"$WINE_SCRATCH/shell.txt" <<SEED
sz	$USER_SHELL_FOLDERS	History	C:\\profile\\history
sz	$SHELL_FOLDERS	History	C:\\profile\\history
file	C:\\profile\\history\\h1.url
file	C:\\profile\\history\\day\\h2.url
file	C:\\windows\\Prefetch\\APP.EXE-1.pf
file	C:\\windows\\Prefetch\\OTHER.EXE-2.pf	r
file	C:\\windows\\Prefetch\\HIDDEN.EXE-3.pf	h
file	C:\\windows\\Prefetch\\sub\\kept.pf
SEED
e2e seed "Z:$WINE_SCRATCH/shell.txt"
trash="$XDG_DATA_HOME/Trash"
mkdir -p "$trash/files" "$trash/info"
echo trashed >"$trash/files/old.txt"
printf '[Trash Info]\nPath=/tmp/old.txt\nDeletionDate=2026-01-01T10:00:00\n' >"$trash/info/old.txt.trashinfo"
e2e run 4,7,10 >"$WINE_SCRATCH/shell.out"
section List1 "$WINE_SCRATCH/shell.out" >"$WINE_SCRATCH/shell.log"
expect_lines "run log: the history folder's files, nothing for prefetch and the bin" "$WINE_SCRATCH/shell.log" <<'LOG'
Historique Internet  : Nettoyage ...
C:\profile\history\h1.url
C:\profile\history\day\h2.url

Fichiers Prefetch  : Nettoyage ...

Corbeille  : Nettoyage ...

LOG
expect_absent "a prefetch file went" "$C/windows/Prefetch/APP.EXE-1.pf"
expect_absent "a read-only prefetch file went" "$C/windows/Prefetch/OTHER.EXE-2.pf"
expect_present "a hidden prefetch file stays" "$C/windows/Prefetch/HIDDEN.EXE-3.pf"
expect_present "a file in a prefetch subfolder stays" "$C/windows/Prefetch/sub/kept.pf"
expect_absent "the recycle bin is emptied" "$trash/files/old.txt"
expect_absent "its trash record is gone" "$trash/info/old.txt.trashinfo"

# --- Application files ------------------------------------------------------------------------
group app "Application files"
profile='C:\Documents and Settings\tester'
cat >"$WINE_SCRATCH/app.txt" <<SEED
file	$profile\\Application Data\\Azureus\\logs\\debug.log
file	$profile\\Application Data\\Azureus\\logs\\save.log	r
file	$profile\\Application Data\\Azureus\\logs\\notes.txt
file	C:\\Program Files\\eDonkey2000\\log.txt	r
file	C:\\Program Files\\eMule\\config\\known.met
file	$profile\\Application Data\\Macromedia\\Flash Player\\macromedia.com\\support\\flashplayer\\sys\\settings.sol
file	$profile\\Application Data\\Macromedia\\Flash Player\\macromedia.com\\support\\flashplayer\\sys\\site\\kept.sol
SEED
e2e seed "Z:$WINE_SCRATCH/app.txt"
e2e run --user tester 11,12,13,14 >"$WINE_SCRATCH/app.out"
section List1 "$WINE_SCRATCH/app.out" >"$WINE_SCRATCH/app.log"
expect_lines "run log: catalogue lines and closing lines only" "$WINE_SCRATCH/app.log" <<'LOG'
Azureus  : Nettoyage ...

eDonkey2000  : Nettoyage ...

eMule  : Nettoyage ...

Macromedia Flash Player  : Nettoyage ...

LOG
home="$C/Documents and Settings/tester/Application Data"
expect_absent "Azureus logs went" "$home/Azureus/logs/debug.log"
expect_absent "a read-only Azureus log went" "$home/Azureus/logs/save.log"
expect_present "another file beside the logs stays" "$home/Azureus/logs/notes.txt"
expect_absent "the read-only eDonkey log went" "$C/Program Files/eDonkey2000/log.txt"
expect_absent "eMule's known.met went, alone of the three" "$C/Program Files/eMule/config/known.met"
expect_absent "Flash Player settings went" "$home/Macromedia/Flash Player/macromedia.com/support/flashplayer/sys/settings.sol"
expect_present "Flash Player's subfolders stay" "$home/Macromedia/Flash Player/macromedia.com/support/flashplayer/sys/site/kept.sol"

wine_suite_end

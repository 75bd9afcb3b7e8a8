# Every golden session: NAME.script replayed must print NAME.expected byte for byte and end
# with exit status STATUS (2: the script ends on a line the runner refuses) on each of its
# FACES. See cmake/GoldenSessions.cmake; a new session needs its line here.
oddsmith_golden(NAME bad-input STATUS 2 FACES headless qt wine)
# Save and open keep files, which only the runner does; a failed one ends it with status 3.
oddsmith_golden(NAME bad-path STATUS 2 FACES headless)
# The card's commands are the runner's own; the programs' Card windows have tests of their own.
oddsmith_golden(NAME card STATUS 2 FACES headless)
oddsmith_golden(NAME codepage STATUS 0 FACES headless qt wine)
oddsmith_golden(NAME copy STATUS 0 FACES headless qt wine)
oddsmith_golden(NAME crlf STATUS 0 FACES headless qt wine)
oddsmith_golden(NAME drags STATUS 0 FACES headless qt wine)
oddsmith_golden(NAME files STATUS 3 FACES headless)
# Importing entries reads files, as open does; a refused file ends it with status 3.
oddsmith_golden(NAME import STATUS 3 FACES headless)
oddsmith_golden(NAME line-and-field STATUS 0 FACES headless qt wine)
oddsmith_golden(NAME odds-and-locks STATUS 0 FACES headless qt wine)
oddsmith_golden(NAME scratches STATUS 0 FACES headless qt wine)
oddsmith_golden(NAME start-and-close STATUS 0 FACES headless qt wine)
# The tote commands are the runner's own, as save and open are; the programs' tote windows
# have tests of their own (qt.tote, win.tote).
oddsmith_golden(NAME tote STATUS 0 FACES headless)
# Undo and redo are the runner's own commands; the programs' menus have tests of their own.
oddsmith_golden(NAME undo STATUS 0 FACES headless)
oddsmith_golden(NAME tote-files STATUS 3 FACES headless)
# The sheet's layout is the runner's to print; the programs draw it, tested on their own.
oddsmith_golden(NAME sheet STATUS 2 FACES headless)
# The stakes and the card's money are the runner's commands; the tote windows have their own.
oddsmith_golden(NAME stakes STATUS 2 FACES headless)
# Thumb positions above 65535 cannot travel in a Win32 scroll message.
oddsmith_golden(NAME wide-thumbs STATUS 0 FACES headless qt)
# Exotic tickets are the runner's to price; the programs' Exotics windows have tests of their own.
oddsmith_golden(NAME exotics STATUS 2 FACES headless)

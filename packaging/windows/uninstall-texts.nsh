; The uninstaller's question about the user's own files, in the installer's languages
; ($R0: their size, $R1: their folder).
LangString RemoveUserData ${LANG_ENGLISH} "Also remove your Cleatwork settings, languages and kept originals of game files ($R0 in $R1)?$\r$\n$\r$\nNo keeps them for a later installation."
LangString RemoveUserData ${LANG_POLISH} "Usunąć także ustawienia, języki i zachowane oryginały plików gry Cleatwork ($R0 w $R1)?$\r$\n$\r$\nWybierz Nie, aby je zachować na potrzeby późniejszej instalacji."
LangString RemoveUserData ${LANG_GERMAN} "Auch Ihre Cleatwork-Einstellungen, Sprachen und aufbewahrten Originale der Spieldateien entfernen ($R0 in $R1)?$\r$\n$\r$\nNein behält sie für eine spätere Installation."
LangString RemoveUserData ${LANG_SPANISH} "¿Eliminar también sus ajustes, idiomas y originales guardados de los archivos del juego de Cleatwork ($R0 en $R1)?$\r$\n$\r$\nNo los conserva para una instalación posterior."
LangString RemoveUserData ${LANG_FRENCH} "Supprimer aussi vos réglages, langues et originaux conservés des fichiers du jeu de Cleatwork ($R0 dans $R1) ?$\r$\n$\r$\nNon les garde pour une installation ultérieure."
LangString RemoveUserData ${LANG_ITALIAN} "Rimuovere anche le impostazioni, le lingue e gli originali conservati dei file di gioco di Cleatwork ($R0 in $R1)?$\r$\n$\r$\nNo li conserva per un'installazione successiva."
LangString RemoveUserData ${LANG_PORTUGUESE} "Remover também suas configurações, idiomas e originais guardados dos arquivos do jogo do Cleatwork ($R0 em $R1)?$\r$\n$\r$\nNão os mantém para uma instalação posterior."

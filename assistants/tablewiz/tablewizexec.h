/* The table wizard as other programs call it: libtagforge-tablewiz.so exports TableWizExec with C
   linkage. A host loads the library (dlopen), looks the entry up by name and calls it on its user
   interface thread; TagForge's own Table Assistant command calls the same entry.

   TableWizExec(reserved1, name, description, category, call, mode, reserved7)

   mode > 0  describes the wizard: *name and *description become "Table Wizard", *category
             "Table" (each pointer may be null). The strings belong to the library: static,
             UTF-8, valid while it is loaded; never free them. call is not touched.
   mode <= 0 runs the wizard modally. call (may be null) says where the table goes and receives
             it; see TTableWizCall. With a null call the finished markup is put on the clipboard.
             Without a QApplication in the process the library makes one for the call, so the
             host needs none (but needs a display). In a process with only a QCoreApplication
             nothing is shown and no markup is returned.

   reserved1 and reserved7 are unused and should be null. The entry returns no value and lets no
   exception out. */
#ifndef TAGFORGE_TABLEWIZEXEC_H
#define TAGFORGE_TABLEWIZEXEC_H

#if defined(TAGFORGE_BUILDING_TABLEWIZ)
#define TABLEWIZ_API __attribute__((visibility("default")))
#else
#define TABLEWIZ_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TTableWizCall
{
    int StructSize;          /* sizeof(TTableWizCall); a call of another size is refused */
    const char *Table;       /* in: UTF-8 markup of one <table> element to edit, or null for a new table */
    const char *Indent;      /* in: UTF-8 text put before every line but the first; null: none */
    const char *LineBreak;   /* in: what joins the lines ("\r\n", "\n", "\r"); null: "\r" */
    const char *DocumentDir; /* in: folder a background image is made relative to; null: none */
    void *Owner;             /* in: the QWidget the dialog belongs to, in a Qt host; null: none */
    char *Markup;            /* out: UTF-8 markup after Finish, released with TableWizFree; null after
                                Cancel or when the table could not be read (the wizard said why) */
} TTableWizCall;

TABLEWIZ_API void TableWizExec(void *reserved1, const char **name, const char **description, const char **category,
                               TTableWizCall *call, int mode, void *reserved7);

/* Releases call->Markup. */
TABLEWIZ_API void TableWizFree(char *markup);

typedef void (*TTableWizExecFn)(void *, const char **, const char **, const char **, TTableWizCall *, int, void *);
typedef void (*TTableWizFreeFn)(char *);

#ifdef __cplusplus
}
#endif

#endif

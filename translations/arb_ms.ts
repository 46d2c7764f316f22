<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ms_MY" sourcelanguage="en">
<context>
    <name>Print Device Input Slot</name>
    <message>
        <source>Automatic</source>
        <translation>Automatik</translation>
    </message>
</context>
<context>
    <name>Print Device Output Bin</name>
    <message>
        <source>Automatic</source>
        <translation>Automatik</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Alias</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Pemacu</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fail</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Folder Fail</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Pintasan</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Tidak diketahui</translation>
    </message>
</context>
<context>
    <name>QComboBox</name>
    <message>
        <source>False</source>
        <translation>Palsu</translation>
    </message>
    <message>
        <source>Open the combo box selection popup</source>
        <translation>Buka senarai pilihan</translation>
    </message>
    <message>
        <source>True</source>
        <translation>Benar</translation>
    </message>
</context>
<context>
    <name>QCupsJobWidget</name>
    <message>
        <source>Banner Pages</source>
        <translation>Halaman Sepanduk</translation>
    </message>
    <message>
        <source>Billing information:</source>
        <translation>Maklumat bil:</translation>
    </message>
    <message>
        <source>Classified</source>
        <translation>Terhad</translation>
    </message>
    <message>
        <source>Confidential</source>
        <translation>Sulit</translation>
    </message>
    <message>
        <source>Day (06:00 to 17:59)</source>
        <translation>Siang (06:00 hingga 17:59)</translation>
    </message>
    <message>
        <source>End:</source>
        <translation>Akhir:</translation>
    </message>
    <message>
        <source>Hold Indefinitely</source>
        <translation>Tahan</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>Kerja Cetak</translation>
    </message>
    <message>
        <source>Job Control</source>
        <translation>Kawalan Kerja Cetak</translation>
    </message>
    <message>
        <source>Job priority:</source>
        <translation>Keutamaan kerja cetak:</translation>
    </message>
    <message>
        <source>Night (18:00 to 05:59)</source>
        <translation>Malam (18:00 hingga 05:59)</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Tiada</translation>
    </message>
    <message>
        <source>Print Immediately</source>
        <translation>Cetak Serta-merta</translation>
    </message>
    <message>
        <source>Scheduled printing:</source>
        <translation>Cetakan berjadual:</translation>
    </message>
    <message>
        <source>Second Shift (16:00 to 23:59)</source>
        <translation>Syif Kedua (16:00 hingga 23:59)</translation>
    </message>
    <message>
        <source>Secret</source>
        <translation>Rahsia</translation>
    </message>
    <message>
        <source>Specific Time</source>
        <translation>Masa Tertentu</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Biasa</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Mula:</translation>
    </message>
    <message>
        <source>Third Shift (00:00 to 07:59)</source>
        <translation>Syif Ketiga (00:00 hingga 07:59)</translation>
    </message>
    <message>
        <source>Top Secret</source>
        <translation>Rahsia Besar</translation>
    </message>
    <message>
        <source>Unclassified</source>
        <translation>Terbuka</translation>
    </message>
    <message>
        <source>Weekend (Saturday to Sunday)</source>
        <translation>Hujung Minggu (Sabtu hingga Ahad)</translation>
    </message>
</context>
<context>
    <name>QCupsPrinterSupport</name>
    <message>
        <source>Authentication Needed</source>
        <translation>Pengesahan Diperlukan</translation>
    </message>
    <message>
        <source>Authentication needed to use %1 on %2.</source>
        <translation>Pengesahan diperlukan untuk menggunakan %1 di %2.</translation>
    </message>
    <message>
        <source>Authentication needed to use %1.</source>
        <translation>Pengesahan diperlukan untuk menggunakan %1.</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Kata laluan:</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Nama pengguna:</translation>
    </message>
</context>
<context>
    <name>QDialog</name>
    <message>
        <source>What&apos;s This?</source>
        <translation>Apakah Ini?</translation>
    </message>
</context>
<context>
    <name>QDialogButtonBox</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Batal</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Tutup</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Tidak</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Simpan</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ya</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Henti</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Guna</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Batal</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Tutup</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>Tutup tanpa Menyimpan</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Buang</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>Jangan Simpan</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Bantuan</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Abaikan</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>T&amp;idak untuk Semua</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Buka</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Set Semula</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Pulihkan Asal</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Cuba Lagi</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Simpan</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Simpan Semua</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Ya untuk &amp;Semua</translation>
    </message>
</context>
<context>
    <name>QErrorMessage</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Show this message again</source>
        <translation>&amp;Tunjukkan mesej ini lagi</translation>
    </message>
    <message>
        <source>Critical Error:</source>
        <translation>Ralat Kritikal:</translation>
    </message>
    <message>
        <source>Debug Message:</source>
        <translation>Mesej Nyahpepijat:</translation>
    </message>
    <message>
        <source>Fatal Error:</source>
        <translation>Ralat Maut:</translation>
    </message>
    <message>
        <source>Information:</source>
        <translation>Maklumat:</translation>
    </message>
    <message>
        <source>Warning:</source>
        <translation>Amaran:</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
Folder tidak dijumpai.
Sila pastikan nama folder betul.</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
Fail tidak dijumpai.
Sila pastikan nama fail betul.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 sudah wujud.
Adakah anda mahu menggantikannya?</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>Fail %1</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;Pilih</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Padam</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>Folder &amp;Baharu</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Buka</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Tukar Nama</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Simpan</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is write protected.
Do you want to delete it anyway?</source>
        <translation>&apos;%1&apos; dilindungi daripada ditulis.
Adakah anda mahu memadamnya juga?</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Semua fail (*)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Semua Fail (*)</translation>
    </message>
    <message>
        <source>Alt+Left</source>
        <translation>Alt+Left</translation>
    </message>
    <message>
        <source>Alt+Right</source>
        <translation>Alt+Right</translation>
    </message>
    <message>
        <source>Alt+Up</source>
        <translation>Alt+Up</translation>
    </message>
    <message>
        <source>Are you sure you want to delete &apos;%1&apos;?</source>
        <translation>Anda pasti untuk memadam &apos;%1&apos;?</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Kembali</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>Tukar ke paparan terperinci</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>Tukar ke paparan senarai</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>Folder tidak dapat dipadam.</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>Cipta Folder Baharu</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>Cipta Folder Baharu</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Padam</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>Paparan Terperinci</translation>
    </message>
    <message>
        <source>Directories</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Pemacu</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fail</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>&amp;Nama fail:</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Folder Fail</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fail</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>Jenis fail:</translation>
    </message>
    <message>
        <source>Find Directory</source>
        <translation>Cari Folder</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Ke Hadapan</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>Kembali</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>Ke hadapan</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>Ke folder induk</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>Senarai tempat dan penanda</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>Paparan Senarai</translation>
    </message>
    <message>
        <source>Look in:</source>
        <translation>Lihat dalam:</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Komputer Saya</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Folder Baharu</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Buka</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>Folder Induk</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>Tempat Terkini</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Buang</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Simpan Sebagai</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Pintasan</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>Tunjuk </translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>Tunjuk fail &amp;tersembunyi</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Bar sisi</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Tidak diketahui</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>%1 byte(s)</source>
        <translation>%1 bait</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 bait</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1 TB</translation>
    </message>
    <message>
        <source>&lt;b&gt;The name &quot;%1&quot; can not be used.&lt;/b&gt;&lt;p&gt;Try using another name, with fewer characters or no punctuations marks.</source>
        <translation>&lt;b&gt;Nama &quot;%1&quot; tidak boleh digunakan.&lt;/b&gt;&lt;p&gt;Cuba nama lain, lebih pendek atau tanpa tanda baca.</translation>
    </message>
    <message>
        <source>&lt;b&gt;The name &quot;%1&quot; cannot be used.&lt;/b&gt;&lt;p&gt;Try using another name, with fewer characters or no punctuation marks.</source>
        <translation>&lt;b&gt;Nama &quot;%1&quot; tidak boleh digunakan.&lt;/b&gt;&lt;p&gt;Cuba nama lain, lebih pendek atau tanpa tanda baca.</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Komputer</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>Tarikh Diubah</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>Nama fail tidak sah</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Jenis</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Komputer Saya</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nama</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Saiz</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Jenis</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Batal</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Tutup</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Simpan</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>Tutup tanpa Menyimpan</translation>
    </message>
</context>
<context>
    <name>QInputDialog</name>
    <message>
        <source>Enter a value:</source>
        <translation>Masukkan nilai:</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Salin</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Tampal</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Buat Semula</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>Buat &amp;Asal</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Potong</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Padam</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Pilih Semua</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>&lt;h3&gt;About Qt&lt;/h3&gt;&lt;p&gt;This program uses Qt version %1.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Perihal Qt&lt;/h3&gt;&lt;p&gt;Program ini menggunakan Qt versi %1.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>Perihal Qt</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Bantuan</translation>
    </message>
    <message>
        <source>Hide Details...</source>
        <translation>Sembunyi Butiran...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Show Details...</source>
        <translation>Tunjuk Butiran...</translation>
    </message>
</context>
<context>
    <name>QPageSetupWidget</name>
    <message>
        <source>bottom margin</source>
        <translation>jidar bawah</translation>
    </message>
    <message>
        <source>CC</source>
        <translation>CC</translation>
    </message>
    <message>
        <source>Centimeters (cm)</source>
        <translation>Sentimeter (cm)</translation>
    </message>
    <message>
        <source>Cicero (CC)</source>
        <translation>Cicero (CC)</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Tersuai</translation>
    </message>
    <message>
        <source>DD</source>
        <translation>DD</translation>
    </message>
    <message>
        <source>Didot (DD)</source>
        <translation>Didot (DD)</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Borang</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Tinggi:</translation>
    </message>
    <message>
        <source>in</source>
        <translation>in</translation>
    </message>
    <message>
        <source>Inches (in)</source>
        <translation>Inci (in)</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Landskap</translation>
    </message>
    <message>
        <source>left margin</source>
        <translation>jidar kiri</translation>
    </message>
    <message>
        <source>Margins</source>
        <translation>Jidar</translation>
    </message>
    <message>
        <source>Millimeters (mm)</source>
        <translation>Milimeter (mm)</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Orientasi</translation>
    </message>
    <message>
        <source>Page Layout</source>
        <translation>Susun Atur Halaman</translation>
    </message>
    <message>
        <source>Page order:</source>
        <translation>Susunan halaman:</translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation>Saiz halaman:</translation>
    </message>
    <message>
        <source>Pages per sheet:</source>
        <translation>Halaman sehelai:</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Kertas</translation>
    </message>
    <message>
        <source>Paper source:</source>
        <translation>Sumber kertas:</translation>
    </message>
    <message>
        <source>Pica (P̸)</source>
        <translation>Pica (P̸)</translation>
    </message>
    <message>
        <source>Points (pt)</source>
        <translation>Poin (pt)</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Potret</translation>
    </message>
    <message>
        <source>pt</source>
        <translation>pt</translation>
    </message>
    <message>
        <source>P̸</source>
        <translation>P̸</translation>
    </message>
    <message>
        <source>Reverse landscape</source>
        <translation>Landskap terbalik</translation>
    </message>
    <message>
        <source>Reverse portrait</source>
        <translation>Potret terbalik</translation>
    </message>
    <message>
        <source>right margin</source>
        <translation>jidar kanan</translation>
    </message>
    <message>
        <source>top margin</source>
        <translation>jidar atas</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Lebar:</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Tidak</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ya</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Henti</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Guna</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Batal</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Tutup</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Buang</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Bantuan</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Abaikan</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>T&amp;idak untuk Semua</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Buka</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Set Semula</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Pulihkan Asal</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Cuba Lagi</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Simpan</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Simpan Semua</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Ya untuk &amp;Semua</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>%1 already exists.
Do you want to overwrite it?</source>
        <translation>%1 sudah wujud.
Adakah anda mahu menulis gantinya?</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use &apos;,&apos; to separate ranges and pages, &apos;-&apos; to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>%1 tidak ditulis dengan betul. Gunakan &apos;,&apos; untuk memisahkan julat dan halaman, &apos;-&apos; untuk menandakan julat, dan pastikan julat tidak bertindih.</translation>
    </message>
    <message>
        <source>%1 is a directory.
Please choose a different file name.</source>
        <translation>%1 ialah folder.
Sila pilih nama fail lain.</translation>
    </message>
    <message>
        <source>&amp;Options &lt;&lt;</source>
        <translation>&amp;Pilihan &lt;&lt;</translation>
    </message>
    <message>
        <source>&amp;Options &gt;&gt;</source>
        <translation>&amp;Pilihan &gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>1 (1x1)</source>
        <translation>1 (1x1)</translation>
    </message>
    <message>
        <source>16 (4x4)</source>
        <translation>16 (4x4)</translation>
    </message>
    <message>
        <source>2 (2x1)</source>
        <translation>2 (2x1)</translation>
    </message>
    <message>
        <source>4 (2x2)</source>
        <translation>4 (2x2)</translation>
    </message>
    <message>
        <source>6 (2x3)</source>
        <translation>6 (2x3)</translation>
    </message>
    <message>
        <source>9 (3x3)</source>
        <translation>9 (3x3)</translation>
    </message>
    <message>
        <source>A0</source>
        <translation>A0</translation>
    </message>
    <message>
        <source>A1</source>
        <translation>A1</translation>
    </message>
    <message>
        <source>A2</source>
        <translation>A2</translation>
    </message>
    <message>
        <source>A3</source>
        <translation>A3</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>A5</source>
        <translation>A5</translation>
    </message>
    <message>
        <source>A6</source>
        <translation>A6</translation>
    </message>
    <message>
        <source>A7</source>
        <translation>A7</translation>
    </message>
    <message>
        <source>A8</source>
        <translation>A8</translation>
    </message>
    <message>
        <source>A9</source>
        <translation>A9</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Semua Halaman</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatik</translation>
    </message>
    <message>
        <source>B0</source>
        <translation>B0</translation>
    </message>
    <message>
        <source>B1</source>
        <translation>B1</translation>
    </message>
    <message>
        <source>B10</source>
        <translation>B10</translation>
    </message>
    <message>
        <source>B2</source>
        <translation>B2</translation>
    </message>
    <message>
        <source>B3</source>
        <translation>B3</translation>
    </message>
    <message>
        <source>B4</source>
        <translation>B4</translation>
    </message>
    <message>
        <source>B5</source>
        <translation>B5</translation>
    </message>
    <message>
        <source>B6</source>
        <translation>B6</translation>
    </message>
    <message>
        <source>B7</source>
        <translation>B7</translation>
    </message>
    <message>
        <source>B8</source>
        <translation>B8</translation>
    </message>
    <message>
        <source>B9</source>
        <translation>B9</translation>
    </message>
    <message>
        <source>Bottom to Top, Left to Right</source>
        <translation>Bawah ke Atas, Kiri ke Kanan</translation>
    </message>
    <message>
        <source>Bottom to Top, Right to Left</source>
        <translation>Bawah ke Atas, Kanan ke Kiri</translation>
    </message>
    <message>
        <source>C5E</source>
        <translation>C5E</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Tersuai</translation>
    </message>
    <message>
        <source>DLE</source>
        <translation>DLE</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>Tetapan Dua Muka Bercanggah</translation>
    </message>
    <message>
        <source>Even Pages</source>
        <translation>Halaman Genap</translation>
    </message>
    <message>
        <source>Executive</source>
        <translation>Executive</translation>
    </message>
    <message>
        <source>File %1 is not writable.
Please choose a different file name.</source>
        <translation>Fail %1 tidak boleh ditulis.
Sila pilih nama fail lain.</translation>
    </message>
    <message>
        <source>Folio</source>
        <translation>Folio</translation>
    </message>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>Halaman Tidak Sah</translation>
    </message>
    <message>
        <source>Ledger</source>
        <translation>Ledger</translation>
    </message>
    <message>
        <source>Left to Right, Bottom to Top</source>
        <translation>Kiri ke Kanan, Bawah ke Atas</translation>
    </message>
    <message>
        <source>Left to Right, Top to Bottom</source>
        <translation>Kiri ke Kanan, Atas ke Bawah</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>Legal</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Letter</translation>
    </message>
    <message>
        <source>Local file</source>
        <translation>Fail tempatan</translation>
    </message>
    <message>
        <source>Odd Pages</source>
        <translation>Halaman Ganjil</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Options &apos;Pages Per Sheet&apos; and &apos;Page Set&apos; cannot be used together.
Please turn one of those options off.</source>
        <translation>Pilihan &apos;Halaman sehelai&apos; dan &apos;Set halaman&apos; tidak boleh digunakan bersama.
Sila matikan salah satu daripadanya.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Pencetak</translation>
    </message>
    <message>
        <source>Print to File (PDF)</source>
        <translation>Cetak ke Fail (PDF)</translation>
    </message>
    <message>
        <source>Print To File ...</source>
        <translation>Cetak ke Fail ...</translation>
    </message>
    <message>
        <source>Right to Left, Bottom to Top</source>
        <translation>Kanan ke Kiri, Bawah ke Atas</translation>
    </message>
    <message>
        <source>Right to Left, Top to Bottom</source>
        <translation>Kanan ke Kiri, Atas ke Bawah</translation>
    </message>
    <message>
        <source>Tabloid</source>
        <translation>Tabloid</translation>
    </message>
    <message>
        <source>The &apos;From&apos; value cannot be greater than the &apos;To&apos; value.</source>
        <translation>Nilai &apos;Dari&apos; tidak boleh melebihi nilai &apos;Hingga&apos;.</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>Tetapan dua muka bercanggah. Adakah anda mahu membetulkannya?</translation>
    </message>
    <message>
        <source>Top to Bottom, Left to Right</source>
        <translation>Atas ke Bawah, Kiri ke Kanan</translation>
    </message>
    <message>
        <source>Top to Bottom, Right to Left</source>
        <translation>Atas ke Bawah, Kanan ke Kiri</translation>
    </message>
    <message>
        <source>US Common #10 Envelope</source>
        <translation>US Common #10 Envelope</translation>
    </message>
    <message>
        <source>Write PDF file</source>
        <translation>Tulis fail PDF</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>Pilihan Lanjutan Bercanggah</translation>
    </message>
    <message>
        <source>Job Options</source>
        <translation>Pilihan Kerja Cetak</translation>
    </message>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Tetapan Halaman Bercanggah</translation>
    </message>
    <message>
        <source>Printer Properties</source>
        <translation>Sifat Pencetak</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Tetapan halaman bercanggah. Adakah anda mahu membetulkannya?</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Sebahagian pilihan lanjutan bercanggah. Adakah anda mahu membetulkannya?</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Advanced</source>
        <translation>Lanjutan</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Borang</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Halaman</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Sebahagian pilihan bercanggah. Sila betulkan.</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Collate</source>
        <translation>Susun ikut salinan</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Warna</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>Mod Warna</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Salinan</translation>
    </message>
    <message>
        <source>Copies:</source>
        <translation>Salinan:</translation>
    </message>
    <message>
        <source>Current Page</source>
        <translation>Halaman Semasa</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Cetakan Dua Muka</translation>
    </message>
    <message>
        <source>Duplex Printing</source>
        <translation>Cetakan Dua Muka</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Borang</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Skala kelabu</translation>
    </message>
    <message>
        <source>Long side</source>
        <translation>Sisi panjang</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Jilid sisi panjang</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Tiada</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Tiada</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Pilihan</translation>
    </message>
    <message>
        <source>Output Settings</source>
        <translation>Tetapan Keluaran</translation>
    </message>
    <message>
        <source>Page Set:</source>
        <translation>Set halaman:</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Senarai halaman</translation>
    </message>
    <message>
        <source>Pages from</source>
        <translation>Dari</translation>
    </message>
    <message>
        <source>Print all</source>
        <translation>Cetak semua</translation>
    </message>
    <message>
        <source>Print range</source>
        <translation>Julat cetakan</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Terbalik</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Bahagian dipilih</translation>
    </message>
    <message>
        <source>Short side</source>
        <translation>Sisi pendek</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Jilid sisi pendek</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Nyatakan halaman atau julat, dipisahkan dengan koma. Julat ialah dua nombor dengan sempang di antaranya. Contoh: 3,5-7,9 mencetak halaman 3, 5, 6, 7 dan 9.</translation>
    </message>
    <message>
        <source>to</source>
        <translation>hingga</translation>
    </message>
</context>
<context>
    <name>QPrintWidget</name>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nama:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Borang</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Lokasi:</translation>
    </message>
    <message>
        <source>Output &amp;file:</source>
        <translation>&amp;Fail keluaran:</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>&amp;Sifat</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Pratonton</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Pencetak</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Jenis:</translation>
    </message>
</context>
<context>
    <name>QScrollBar</name>
    <message>
        <source>Bottom</source>
        <translation>Bawah</translation>
    </message>
    <message>
        <source>Left edge</source>
        <translation>Tepi kiri</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>Halaman ke bawah</translation>
    </message>
    <message>
        <source>Page left</source>
        <translation>Halaman ke kiri</translation>
    </message>
    <message>
        <source>Page right</source>
        <translation>Halaman ke kanan</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>Halaman ke atas</translation>
    </message>
    <message>
        <source>Right edge</source>
        <translation>Tepi kanan</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>Tatal ke bawah</translation>
    </message>
    <message>
        <source>Scroll here</source>
        <translation>Tatal ke sini</translation>
    </message>
    <message>
        <source>Scroll left</source>
        <translation>Tatal ke kiri</translation>
    </message>
    <message>
        <source>Scroll right</source>
        <translation>Tatal ke kanan</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>Tatal ke atas</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Atas</translation>
    </message>
</context>
<context>
    <name>QWidget</name>
    <message>
        <source>*</source>
        <translation>*</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Salin</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Tampal</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Buat Semula</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>Buat &amp;Asal</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>Salin Lokasi &amp;Pautan</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Potong</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Padam</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Pilih Semua</translation>
    </message>
</context>
</TS>

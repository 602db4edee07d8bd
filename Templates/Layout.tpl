<!DOCTYPE html>
<html lang="en">
<head>
  <meta charset="utf-8">
  <meta name="viewport" content="width=device-width, initial-scale=1">
  <title>Untitled</title>
  <link rel="stylesheet" href="style.css">
</head>
<body>
  <header>
    <h1>Untitled</h1>
    <nav>
      <ul>
        <li><a href="index.html">Home</a></li>
        <li><a href="about.html">About</a></li>
        <li><a href="contact.html">Contact</a></li>
      </ul>
    </nav>
  </header>

  <main>
    <h2>Heading</h2>
    <p>Text of the page.</p>
  </main>

  <footer>
    <p>&copy; Your Name</p>
  </footer>
</body>
</html>
